#include "events/due_events.h"

#include "common/text_lines.h"
#include "events/date_pattern.h"

namespace almanix {

namespace {

enum class LineKind { expired, due, later, unreadable };

// Sunday = 1 to Saturday = 7 for the day names the program writes; 0 for any other word.
int weekdayNamed(std::string_view name) {
    for (int weekday = 1; weekday <= 7; ++weekday)
        if (dayNameOf(weekday) == name) return weekday;
    return 0;
}

// The date of a line, read so that it agrees with the line's day name: the file
// may have been written in another locale's order than the one that reads it.
// The locale's reading comes first, then the other orders of the same numbers;
// when none agrees, or two different dates do, the line has no date.
std::optional<CalendarDate> eventDate(std::string_view dateText, std::string_view dayName, ShortDate& shortDate) {
    const auto localeReading = shortDate.parse(dateText);
    const int weekday = weekdayNamed(dayName);
    if (weekday == 0 || (localeReading && weekdayOf(*localeReading) == weekday)) return localeReading;
    std::optional<CalendarDate> agreeing;
    for (const CalendarDate& reading : DatePattern::readingsInEveryOrder(dateText)) {
        if (weekdayOf(reading) != weekday) continue;
        if (agreeing && *agreeing != reading) return std::nullopt;
        agreeing = reading;
    }
    return agreeing;
}

// A line the program wrote is "#", a date text, a space, the day name and the
// rest of the item. Anything else is kept as it stands and never announced.
LineKind classify(std::string_view line, std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate) {
    if (!line.starts_with('#') || line.find('\r') != std::string_view::npos) return LineKind::unreadable;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 1) return LineKind::unreadable;
    const std::string_view afterDate = line.substr(space + 1);
    const auto date = eventDate(line.substr(1, space - 1), afterDate.substr(0, afterDate.find(' ')), shortDate);
    if (!date) return LineKind::unreadable;

    const std::int64_t days = dayNumberOf(*date) - today;
    if (days < 0) return LineKind::expired;
    if (days <= daysBeforeEvent) return LineKind::due;
    return LineKind::later;
}

} // namespace

EventScan scanEvents(std::string_view fileText, std::int64_t today, std::int16_t daysBeforeEvent,
                     ShortDate& shortDate) {
    EventScan scan;
    scan.keptText.reserve(fileText.size() + kLineEnd.size());
    for (std::string_view line : eventFileLines(fileText)) {
        const LineKind kind = classify(line, today, daysBeforeEvent, shortDate);
        if (kind == LineKind::expired) continue;
        if (kind == LineKind::due) {
            ++scan.dueCount;
            scan.dueText += kLineEnd;
            scan.dueText += line.substr(1);
        }
        scan.keptText += line;
        scan.keptText += kLineEnd;
    }
    return scan;
}

DueEvents checkDueEvents(EventStore& store, std::int16_t daysBeforeEvent) {
    // Other copies may check or save the file meanwhile: one read and rewrite
    // under one lock, so that no copy writes back a list that misses an event.
    const auto lock = store.files.lockFolder(store.paths.folder);
    const EventFileText file = readEventFile(store);
    if (file.status != EventFileStatus::read) return {file.status, 0, {}};
    EventScan scan = scanEvents(file.text, dayNumberOf(store.clock.now().date), daysBeforeEvent, store.shortDate);
    // A failed rewrite, or one without the lock, keeps the old file; its
    // expired events go at a later check.
    if (lock) store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), scan.keptText);
    return {EventFileStatus::read, scan.dueCount, std::move(scan.dueText)};
}

} // namespace almanix
