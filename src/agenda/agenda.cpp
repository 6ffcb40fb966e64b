#include "agenda/agenda.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "common/text_lines.h"

namespace almanix {

namespace {

// An item of the event file is its date text, a space, the day's name, a space, then what it is.
std::string contentOf(std::string_view item) {
    const std::size_t dateEnd = item.find(' ');
    if (dateEnd == std::string_view::npos) return {};
    const std::size_t nameEnd = item.find(' ', dateEnd + 1);
    return nameEnd == std::string_view::npos ? std::string() : std::string(item.substr(nameEnd + 1));
}

AgendaEntry entryOf(const CalendarItem& item, ShortDate& shortDate) {
    std::string notice = shortDate.format(item.date) + ' ' + std::string(dayNameOf(weekdayOf(item.date))) + ' ';
    if (item.time) notice += twoDigits(item.time->hour) + ':' + twoDigits(item.time->minute) + ' ';
    return {item.date, item.time, notice + item.summary, item.summary};
}

} // namespace

std::vector<AgendaEntry> agendaOf(const DueEvents& eventFile, const std::vector<CalendarItem>& calendarItems,
                                  ShortDate& shortDate) {
    std::vector<AgendaEntry> entries;
    const std::vector<std::string_view> items = splitAtLineEnds(eventFile.text);
    // The text starts with its first item's CR LF.
    for (std::size_t index = 0; index + 1 < items.size() && index < eventFile.dates.size(); ++index)
        entries.push_back(
            {eventFile.dates[index], std::nullopt, std::string(items[index + 1]), contentOf(items[index + 1])});
    for (const CalendarItem& item : calendarItems) entries.push_back(entryOf(item, shortDate));
    std::stable_sort(entries.begin(), entries.end(), [](const AgendaEntry& a, const AgendaEntry& b) {
        return comesBefore(a.date, a.time, b.date, b.time);
    });
    return entries;
}

std::string agendaLineOf(const AgendaEntry& entry) { return agendaLine({entry.date, entry.time, entry.agendaText}); }

DueEvents noticeOf(const DueEvents& eventFile, const std::vector<CalendarItem>& calendarItems, ShortDate& shortDate) {
    DueEvents notice{eventFile.file, eventFile.count + static_cast<int>(calendarItems.size()), {}, {}};
    for (const AgendaEntry& entry : agendaOf(eventFile, calendarItems, shortDate)) {
        if (notice.dates.size() == kMostAnnouncedEvents) break;
        notice.text += kLineEnd;
        notice.text += entry.noticeText;
        notice.dates.push_back(entry.date);
    }
    return notice;
}

} // namespace almanix
