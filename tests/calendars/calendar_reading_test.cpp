#include <gtest/gtest.h>

#include "calendars/calendar_reading.h"

namespace almanix {
namespace {

const AgendaWindow kWeek{{2026, 12, 6}, {2026, 12, 12}};

CalendarReading read(std::string_view text, std::string_view localZone = "Europe/Berlin") {
    KnownRuleTimeZones zones(localZone);
    return readCalendar(text, kWeek, zones);
}

std::string calendar(std::string_view events) {
    return "BEGIN:VCALENDAR\nVERSION:2.0\n" + std::string(events) + "END:VCALENDAR\n";
}

std::string event(std::string_view properties) {
    return "BEGIN:VEVENT\nSUMMARY:x\n" + std::string(properties) + "END:VEVENT\n";
}

TEST(CalendarReading, TellsACalendarFromOtherText) {
    // Each row: the text, whether it is a calendar, its events, and its refresh interval in seconds.
    const std::tuple<const char*, std::string, bool, std::size_t, std::optional<std::int64_t>> cases[] = {
        {"empty", "", false, 0, std::nullopt},
        {"an event file", "#12/7/2026 Monday Dentist\r\n", false, 0, std::nullopt},
        {"an event without a calendar", event("DTSTART:20261207T100000\n"), false, 0, std::nullopt},
        {"a web page", "<html><body>BEGIN:VCALENDAR</body></html>", false, 0, std::nullopt},
        {"an empty calendar", calendar(""), true, 0, std::nullopt},
        {"events counted with their overrides and those without a start",
         calendar(event("UID:a\nDTSTART:20261207T100000\nRRULE:FREQ=DAILY\n") +
                  event("UID:a\nRECURRENCE-ID:20261208T100000\nDTSTART:20261208T110000\n") + event("")),
         true, 3, std::nullopt},
        {"refresh interval", calendar("REFRESH-INTERVAL;VALUE=DURATION:PT4H\n"), true, 0, 14400},
        {"published time to live", calendar("X-PUBLISHED-TTL:P1D\n"), true, 0, 86400},
        {"a refresh that is no duration", calendar("X-PUBLISHED-TTL:often\n"), true, 0, std::nullopt},
    };
    for (const auto& [name, text, understood, events, refresh] : cases) {
        SCOPED_TRACE(name);
        const CalendarReading reading = read(text);
        EXPECT_EQ(std::tie(reading.understood, reading.eventCount, reading.refreshSeconds),
                  std::tie(understood, events, refresh));
    }
}

// A zone that neither the calendar nor the system knows reads as the local clock.
TEST(CalendarReading, AnUnknownZoneIsTheLocalClock) {
    const CalendarReading reading = read(calendar(event("DTSTART;TZID=Mars/Olympus_Mons:20261207T100000\n")));
    ASSERT_EQ(reading.items.size(), 1u);
    EXPECT_EQ(agendaLine(reading.items[0]), "2026-12-07\t10:00\tx");
}

TEST(CalendarReading, CapsTheItemsOfASeriesAndOfACalendar) {
    const std::string everySecond = event("DTSTART:20261206T000000\nRRULE:FREQ=SECONDLY\n");
    EXPECT_EQ(read(calendar(everySecond)).items.size(), kMostItemsPerSeries);
    std::string many;
    for (std::size_t i = 0; i <= kMostItemsPerCalendar / kMostItemsPerSeries; ++i) many += everySecond;
    EXPECT_EQ(read(calendar(many)).items.size(), kMostItemsPerCalendar);
}

TEST(CalendarReading, SortsByDayAllDayFirstThenByTimeKeepingTies) {
    const auto item = [](int day, std::optional<ClockTime> time, const char* summary) {
        return CalendarItem{{2026, 12, day}, time, summary};
    };
    std::vector<CalendarItem> items{item(8, ClockTime{9, 0}, "b"),   item(8, std::nullopt, "c"),
                                    item(7, ClockTime{23, 59}, "d"), item(8, ClockTime{9, 0}, "a"),
                                    item(8, ClockTime{8, 5}, "e"),   item(8, std::nullopt, "f")};
    sortAgenda(items);
    std::string lines;
    for (const CalendarItem& sorted : items) lines += agendaLine(sorted) + "\n";
    EXPECT_EQ(lines, "2026-12-07\t23:59\td\n2026-12-08\t\tc\n2026-12-08\t\tf\n2026-12-08\t08:05\te\n"
                     "2026-12-08\t09:00\tb\n2026-12-08\t09:00\ta\n");
}

} // namespace
} // namespace almanix
