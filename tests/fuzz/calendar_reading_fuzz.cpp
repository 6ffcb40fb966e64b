// Any text reads as a calendar or not without a fault, in a bounded time, and
// what it yields lies in the window, in agenda order, each item on one line.
#include <cstdlib>

#include "calendars/calendar_reading.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte chooses the days ahead, the second the local zone.
    const CalendarDate today{2026, 12, 6};
    const AgendaWindow window{today, dateOfDayNumber(dayNumberOf(today) + data[0] % 100)};
    KnownRuleTimeZones zones(knownZones()[data[1] % knownZones().size()].ianaName);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const CalendarReading reading = readCalendar(text, window, zones);
    if (!reading.understood && (!reading.items.empty() || reading.eventCount != 0)) std::abort();
    if (reading.items.size() > kMostItemsPerCalendar) std::abort();
    std::vector<CalendarItem> sorted = reading.items;
    sortAgenda(sorted);
    if (sorted != reading.items) std::abort();
    for (const CalendarItem& item : reading.items) {
        const std::int64_t day = dayNumberOf(item.date);
        if (day < dayNumberOf(window.first) || day > dayNumberOf(window.last)) std::abort();
        if (item.time &&
            (item.time->hour < 0 || item.time->hour > 23 || item.time->minute < 0 || item.time->minute > 59))
            std::abort();
        for (const char c : item.summary)
            if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
    return 0;
}
