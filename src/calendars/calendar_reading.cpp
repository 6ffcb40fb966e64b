#include "calendars/calendar_reading.h"

#include <algorithm>
#include <unordered_map>

#include "calendars/content_lines.h"
#include "calendars/recurrence.h"
#include "calendars/zone_book.h"

namespace almanix {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// What the expansion of one calendar may do, in candidate days and times: far
// more than a real calendar needs, and a fraction of a second.
constexpr std::int64_t kStepsPerCalendar = 20'000'000;
constexpr std::int64_t kStepsPerSeries = 2'000'000;
// Longer events are cut to this, so that one that never ends cannot send the
// expansion back to the beginning of time.
constexpr std::int64_t kLongestEvent = 3660 * kSecondsPerDay;

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return (a >= 0 ? a : a - b + 1) / b; }

// A VEVENT as read.
struct EventRecord {
    std::string uid;
    std::string summary; // as written
    std::optional<TimeValue> start;
    std::optional<TimeValue> end;
    std::optional<std::int64_t> duration;
    std::optional<TimeValue> recurrenceId;
    std::string rule; // RRULE as written; empty for none
    std::vector<TimeValue> extraStarts; // RDATE
    std::vector<TimeValue> excluded; // EXDATE
    bool cancelled = false;
};

enum class Component { calendar, event, zone, observance, other };

// Everything a calendar's text holds that the agenda needs.
struct CalendarText {
    bool understood = false;
    std::size_t eventCount = 0;
    std::vector<EventRecord> events;
    std::vector<FeedZone> zones;
    std::string floatingZone;
};

// "+0100", "-0530", "+013045" as seconds.
std::optional<int> parseUtcOffset(std::string_view text) {
    if ((text.size() != 5 && text.size() != 7) || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    int seconds = 0;
    for (std::size_t at = 1; at < text.size(); at += 2) {
        if (text[at] < '0' || text[at] > '9' || text[at + 1] < '0' || text[at + 1] > '9') return std::nullopt;
        seconds = seconds * 60 + (text[at] - '0') * 10 + (text[at + 1] - '0');
    }
    if (text.size() == 5) seconds *= 60;
    return text[0] == '-' ? -seconds : seconds;
}

// A DATE or DATE-TIME property; a DATE written with a time is read as its date.
std::optional<TimeValue> timeOf(const ContentLine& line, std::string_view value) {
    const std::string_view zone = parameterValue(line.parameters, "TZID").value_or("");
    const bool date = equalIgnoringCase(parameterValue(line.parameters, "VALUE").value_or(""), "DATE");
    return parseTimeValue(date ? value.substr(0, 8) : value, zone);
}

// RDATE and EXDATE: comma-separated times; of a PERIOD, its start.
void addTimes(const ContentLine& line, std::vector<TimeValue>& times) {
    std::string_view values = line.value;
    while (!values.empty()) {
        const std::size_t comma = values.find(',');
        const std::string_view item = values.substr(0, comma);
        if (const std::optional<TimeValue> time = timeOf(line, item.substr(0, item.find('/')))) times.push_back(*time);
        values.remove_prefix(comma == std::string_view::npos ? values.size() : comma + 1);
    }
}

void readEventProperty(const ContentLine& line, EventRecord& event) {
    const std::string_view name = line.name;
    if (equalIgnoringCase(name, "SUMMARY")) {
        if (event.summary.empty()) event.summary = line.value;
    } else if (equalIgnoringCase(name, "UID")) {
        event.uid = line.value;
    } else if (equalIgnoringCase(name, "DTSTART")) {
        event.start = timeOf(line, line.value);
    } else if (equalIgnoringCase(name, "DTEND")) {
        event.end = timeOf(line, line.value);
    } else if (equalIgnoringCase(name, "DURATION")) {
        event.duration = parseDuration(line.value);
    } else if (equalIgnoringCase(name, "RECURRENCE-ID")) {
        event.recurrenceId = timeOf(line, line.value);
    } else if (equalIgnoringCase(name, "RRULE")) {
        if (event.rule.empty()) event.rule = line.value;
    } else if (equalIgnoringCase(name, "RDATE")) {
        addTimes(line, event.extraStarts);
    } else if (equalIgnoringCase(name, "EXDATE")) {
        addTimes(line, event.excluded);
    } else if (equalIgnoringCase(name, "STATUS")) {
        event.cancelled = equalIgnoringCase(line.value, "CANCELLED");
    }
}

void readObservanceProperty(const ContentLine& line, Observance& observance) {
    if (equalIgnoringCase(line.name, "DTSTART")) {
        if (const std::optional<TimeValue> onset = parseTimeValue(line.value, {})) observance.onset = onset->wall;
    } else if (equalIgnoringCase(line.name, "TZOFFSETFROM")) {
        observance.offsetFrom = parseUtcOffset(line.value).value_or(0);
    } else if (equalIgnoringCase(line.name, "TZOFFSETTO")) {
        observance.offsetTo = parseUtcOffset(line.value).value_or(0);
    } else if (equalIgnoringCase(line.name, "RRULE")) {
        observance.rule = line.value;
    } else if (equalIgnoringCase(line.name, "RDATE")) {
        std::vector<TimeValue> onsets;
        addTimes(line, onsets);
        for (const TimeValue& onset : onsets) observance.extraOnsets.push_back(onset.wall);
    }
}

void readCalendarProperty(const ContentLine& line, CalendarText& calendar) {
    if (equalIgnoringCase(line.name, "X-WR-TIMEZONE")) calendar.floatingZone = line.value;
}

Component componentNamed(std::string_view name, const std::vector<Component>& open) {
    const Component parent = open.empty() ? Component::other : open.back();
    if (equalIgnoringCase(name, "VCALENDAR") && open.empty()) return Component::calendar;
    if (parent == Component::calendar && equalIgnoringCase(name, "VEVENT")) return Component::event;
    if (parent == Component::calendar && equalIgnoringCase(name, "VTIMEZONE")) return Component::zone;
    if (parent == Component::zone && (equalIgnoringCase(name, "STANDARD") || equalIgnoringCase(name, "DAYLIGHT")))
        return Component::observance;
    return Component::other;
}

CalendarText readText(std::string_view text) {
    CalendarText calendar;
    std::vector<Component> open;
    UnfoldedLines lines(text);
    while (const std::optional<std::string_view> physical = lines.next()) {
        const std::optional<ContentLine> line = parseContentLine(*physical);
        if (!line) continue;
        if (equalIgnoringCase(line->name, "BEGIN")) {
            const Component component = componentNamed(line->value, open);
            open.push_back(component);
            if (component == Component::calendar) calendar.understood = true;
            if (component == Component::event) {
                ++calendar.eventCount;
                calendar.events.emplace_back();
            }
            if (component == Component::zone) calendar.zones.emplace_back();
            if (component == Component::observance) calendar.zones.back().observances.emplace_back();
            continue;
        }
        if (equalIgnoringCase(line->name, "END")) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (open.empty()) continue;
        switch (open.back()) {
        case Component::calendar: readCalendarProperty(*line, calendar); break;
        case Component::event: readEventProperty(*line, calendar.events.back()); break;
        case Component::zone:
            if (equalIgnoringCase(line->name, "TZID")) calendar.zones.back().id = line->value;
            break;
        case Component::observance: readObservanceProperty(*line, calendar.zones.back().observances.back()); break;
        case Component::other: break;
        }
    }
    return calendar;
}

bool sameClock(const TimeValue& a, const TimeValue& b) {
    return a.kind == b.kind && (a.kind != TimeKind::zoned || a.zone == b.zone);
}

// Lists the due occurrences of the events of one calendar.
class Agenda {
public:
    Agenda(const AgendaWindow& window, ZoneBook& zones, ExpansionBudget& budget)
        : firstDay_(dayNumberOf(window.first)),
          lastDay_(dayNumberOf(window.last)),
          windowStart_(firstDay_ * kSecondsPerDay),
          windowEnd_((lastDay_ + 1) * kSecondsPerDay),
          zones_(zones),
          budget_(budget) {}

    // An event and the RECURRENCE-IDs of the events that stand in for some of its occurrences.
    void list(const EventRecord& event, const std::vector<const TimeValue*>& replaced) {
        if (event.cancelled || !event.start || items_.size() >= kMostItemsPerCalendar) return;
        const TimeValue& start = *event.start;
        const bool allDay = start.kind == TimeKind::date;
        const std::int64_t duration = durationOf(event);
        // Starts of occurrences that can overlap the window, on the event's clock, give or take a day's offset.
        const std::int64_t margin = allDay ? 0 : 2 * kSecondsPerDay;
        const std::int64_t rangeStart = windowStart_ - duration - margin + (allDay ? 1 : 0);
        const std::int64_t rangeEnd = windowEnd_ + margin;
        const std::optional<RecurrenceRule> rule = parseRecurrenceRule(event.rule);
        if (!rule && event.extraStarts.empty() && (start.wall < rangeStart || start.wall >= rangeEnd)) return;

        const ZoneKey zone = zones_.zoneOf(start);
        std::vector<std::int64_t> starts;
        if (rule) {
            const std::int64_t allowance = std::clamp<std::int64_t>(budget_.remaining(), 0, kStepsPerSeries);
            ExpansionBudget seriesBudget(allowance);
            const RecurrenceSeries series{*rule, start.wall, allDay, untilOf(*rule, start, zone)};
            expandRecurrence(series, rangeStart, rangeEnd, seriesBudget, [&](std::int64_t moment) {
                starts.push_back(moment);
                return starts.size() < 2 * kMostItemsPerSeries;
            });
            budget_.spend(allowance - seriesBudget.remaining());
        } else if (start.wall >= rangeStart && start.wall < rangeEnd) {
            starts.push_back(start.wall);
        }
        for (const TimeValue& extra : event.extraStarts) {
            const std::int64_t wall = wallOnClockOf(extra, start, zone);
            if (wall >= rangeStart && wall < rangeEnd) starts.push_back(wall);
        }
        std::sort(starts.begin(), starts.end());
        starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

        std::vector<std::int64_t> skipped; // EXDATE and the replaced occurrences
        std::vector<std::int64_t> skippedDays; // EXDATE;VALUE=DATE of a timed event
        for (const TimeValue& excluded : event.excluded) {
            if (excluded.kind == TimeKind::date && !allDay)
                skippedDays.push_back(excluded.wall / kSecondsPerDay);
            else
                skipped.push_back(wallOnClockOf(excluded, start, zone));
        }
        for (const TimeValue* id : replaced) skipped.push_back(wallOnClockOf(*id, start, zone));

        std::size_t listed = 0;
        std::optional<std::string> summary;
        for (std::int64_t wall : starts) {
            if (std::find(skipped.begin(), skipped.end(), wall) != skipped.end() ||
                std::find(skippedDays.begin(), skippedDays.end(), floorDivide(wall, kSecondsPerDay)) !=
                    skippedDays.end())
                continue;
            std::optional<CalendarItem> item = allDay ? allDayItem(wall, duration) : timedItem(wall, duration, zone);
            if (!item) continue;
            if (!summary) summary = unescapedText(event.summary);
            item->summary = *summary;
            items_.push_back(std::move(*item));
            if (++listed == kMostItemsPerSeries || items_.size() >= kMostItemsPerCalendar) return;
        }
    }

    std::vector<CalendarItem> take() { return std::move(items_); }

private:
    std::int64_t durationOf(const EventRecord& event) {
        const TimeValue& start = *event.start;
        std::int64_t duration = 0;
        if (start.kind == TimeKind::date) {
            std::int64_t days = 1;
            if (event.end)
                days = floorDivide(event.end->wall, kSecondsPerDay) - start.wall / kSecondsPerDay;
            else if (event.duration)
                days = -floorDivide(-*event.duration, kSecondsPerDay);
            duration = std::max<std::int64_t>(days, 1) * kSecondsPerDay;
        } else if (event.end) {
            duration = sameClock(start, *event.end) ? event.end->wall - start.wall
                                                    : zones_.utcOf(zones_.zoneOf(*event.end), event.end->wall) -
                                                          zones_.utcOf(zones_.zoneOf(start), start.wall);
        } else if (event.duration) {
            duration = *event.duration;
        }
        return std::clamp<std::int64_t>(duration, 0, kLongestEvent);
    }

    // A time of the calendar on the clock of an event's start: a date as its
    // midnight, a floating time as it stands.
    std::int64_t wallOnClockOf(const TimeValue& value, const TimeValue& start, const ZoneKey& zone) {
        if (start.kind == TimeKind::date) return floorDivide(value.wall, kSecondsPerDay) * kSecondsPerDay;
        if (sameClock(value, start) || value.kind == TimeKind::floating || value.kind == TimeKind::date)
            return value.wall;
        return zones_.wallOf(zone, zones_.utcOf(zones_.zoneOf(value), value.wall));
    }

    // UNTIL on the start's clock: a date includes its whole day.
    std::optional<std::int64_t> untilOf(const RecurrenceRule& rule, const TimeValue& start, const ZoneKey& zone) {
        if (!rule.until) return std::nullopt;
        const std::optional<TimeValue> until = parseTimeValue(*rule.until, {});
        if (!until) return std::nullopt;
        if (until->kind == TimeKind::date && start.kind != TimeKind::date) return until->wall + kSecondsPerDay - 1;
        if (until->kind == TimeKind::utc && start.kind != TimeKind::date && start.kind != TimeKind::utc)
            return zones_.wallOf(zone, until->wall);
        return until->wall;
    }

    std::optional<CalendarItem> allDayItem(std::int64_t wall, std::int64_t duration) const {
        const std::int64_t startDay = floorDivide(wall, kSecondsPerDay);
        const std::int64_t endDay = startDay + duration / kSecondsPerDay;
        if (startDay > lastDay_ || endDay <= firstDay_) return std::nullopt;
        return CalendarItem{dateOfDayNumber(std::max(startDay, firstDay_)), std::nullopt, {}};
    }

    std::optional<CalendarItem> timedItem(std::int64_t wall, std::int64_t duration, const ZoneKey& zone) {
        std::int64_t start = wall;
        std::int64_t end = wall + duration;
        if (zone.kind != ZoneKind::local) {
            const std::int64_t utc = zones_.utcOf(zone, wall);
            start = zones_.localWallOf(utc);
            end = zones_.localWallOf(utc + duration);
        }
        if (start >= windowEnd_ || (end <= windowStart_ && start < windowStart_)) return std::nullopt;
        const std::int64_t startDay = floorDivide(start, kSecondsPerDay);
        // One that began before the window is listed on its first day, without the time it began at.
        if (startDay < firstDay_) return CalendarItem{dateOfDayNumber(firstDay_), std::nullopt, {}};
        const auto secondOfDay = static_cast<int>(start - startDay * kSecondsPerDay);
        return CalendarItem{dateOfDayNumber(startDay), ClockTime{secondOfDay / 3600, secondOfDay / 60 % 60}, {}};
    }

    std::int64_t firstDay_;
    std::int64_t lastDay_;
    std::int64_t windowStart_;
    std::int64_t windowEnd_;
    ZoneBook& zones_;
    ExpansionBudget& budget_;
    std::vector<CalendarItem> items_;
};

} // namespace

CalendarReading readCalendar(std::string_view icsText, const AgendaWindow& window, TimeZones& zones) {
    CalendarText calendar = readText(icsText);
    CalendarReading reading{calendar.understood, calendar.eventCount, {}};
    if (!calendar.understood) return reading;

    ExpansionBudget budget(kStepsPerCalendar);
    ZoneBook zoneBook(std::move(calendar.zones), calendar.floatingZone, zones, window.first.year - 1,
                      window.last.year + 1, budget);
    // The occurrences that other events of the same UID stand in for.
    std::unordered_map<std::string_view, std::vector<const TimeValue*>> replaced;
    for (const EventRecord& event : calendar.events)
        if (event.recurrenceId) replaced[event.uid].push_back(&*event.recurrenceId);
    const std::vector<const TimeValue*> none;
    Agenda agenda(window, zoneBook, budget);
    for (const EventRecord& event : calendar.events) {
        const auto found = event.recurrenceId ? replaced.end() : replaced.find(event.uid);
        agenda.list(event, found == replaced.end() ? none : found->second);
    }
    reading.items = agenda.take();
    sortAgenda(reading.items);
    return reading;
}

bool comesBefore(const CalendarDate& date, const std::optional<ClockTime>& time, const CalendarDate& otherDate,
                 const std::optional<ClockTime>& otherTime) {
    const auto key = [](const CalendarDate& day, const std::optional<ClockTime>& clock) {
        return std::tuple(day.year, day.month, day.day, clock ? clock->hour * 60 + clock->minute : -1);
    };
    return key(date, time) < key(otherDate, otherTime);
}

void sortAgenda(std::vector<CalendarItem>& items) {
    std::stable_sort(items.begin(), items.end(), [](const CalendarItem& a, const CalendarItem& b) {
        return comesBefore(a.date, a.time, b.date, b.time);
    });
}

std::string agendaLine(const CalendarItem& item) {
    const auto digits = [](int value, int width) {
        std::string text = std::to_string(value);
        return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
    };
    std::string line = digits(item.date.year, 4) + '-' + digits(item.date.month, 2) + '-' + digits(item.date.day, 2);
    line += '\t';
    if (item.time) line += digits(item.time->hour, 2) + ':' + digits(item.time->minute, 2);
    line += '\t';
    return line + item.summary;
}

} // namespace almanix
