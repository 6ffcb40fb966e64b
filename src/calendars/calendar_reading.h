#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendars/time_zones.h"
#include "common/calendar_date.h"

namespace almanix {

struct ClockTime {
    int hour = 0;
    int minute = 0;

    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// A due item of a calendar, as the agenda lists it.
struct CalendarItem {
    CalendarDate date; // the local day it is listed under
    // The local start time; nothing for an all-day item, and for one listed
    // under a later day than the one it began on.
    std::optional<ClockTime> time;
    std::string summary; // unescaped, one line

    friend bool operator==(const CalendarItem&, const CalendarItem&) = default;
};

// The local days from first to last, inclusive: today to today + DaysBeforeEvent.
struct AgendaWindow {
    CalendarDate first;
    CalendarDate last;
};

struct CalendarReading {
    bool understood = false; // false when the text is not a calendar at all
    std::size_t eventCount = 0; // VEVENTs in the text
    std::vector<CalendarItem> items; // the due items, in agenda order
};

// The items of an iCalendar text that fall due in the window: each event or
// occurrence that overlaps one of its days, listed under the day it starts,
// or under the first day when it began before it. What cannot be read is
// left out, and no text makes the reading run long: a series yields at most
// kMostItemsPerSeries items and a calendar kMostItemsPerCalendar.
CalendarReading readCalendar(std::string_view icsText, const AgendaWindow& window, TimeZones& zones);

inline constexpr std::size_t kMostItemsPerSeries = 1000;
inline constexpr std::size_t kMostItemsPerCalendar = 50000;

// Whether an item of that day and time comes first in the agenda: by day,
// all-day items first, then by time.
bool comesBefore(const CalendarDate& date, const std::optional<ClockTime>& time, const CalendarDate& otherDate,
                 const std::optional<ClockTime>& otherTime);

// Orders items so; items that tie keep their order, so that merged sources
// stay in the order they were given.
void sortAgenda(std::vector<CalendarItem>& items);

// "YYYY-MM-DD<TAB>HH:MM<TAB>summary", the time empty for an all-day item.
std::string agendaLine(const CalendarItem& item);

} // namespace almanix
