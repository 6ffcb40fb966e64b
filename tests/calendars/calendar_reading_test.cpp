#include <gtest/gtest.h>

#include "calendars/calendar_reading.h"
#include "calendars/content_lines.h"
#include "calendars/recurrence.h"
#include "common/calendar_date.h"

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

// Each row: the text, whether it is a calendar, and the events it counts. (The refresh interval it
// reads has no reader; a link's kept copy reads its own.)
TEST(CalendarReading, TellsACalendarFromOtherText) {
    const std::tuple<const char*, std::string, bool, std::size_t> cases[] = {
        {"empty", "", false, 0},
        {"an event file", "#12/7/2026 Monday Dentist\r\n", false, 0},
        {"an event without a calendar", event("DTSTART:20261207T100000\n"), false, 0},
        {"a web page", "<html><body>BEGIN:VCALENDAR</body></html>", false, 0},
        {"an empty calendar", calendar(""), true, 0},
        {"events counted with their overrides and those without a start",
         calendar(event("UID:a\nDTSTART:20261207T100000\nRRULE:FREQ=DAILY\n") +
                  event("UID:a\nRECURRENCE-ID:20261208T100000\nDTSTART:20261208T110000\n") + event("")),
         true, 3},
    };
    for (const auto& [name, text, understood, events] : cases) {
        const CalendarReading reading = read(text);
        EXPECT_EQ(std::pair(reading.understood, reading.eventCount), std::pair(understood, events)) << name;
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

std::int64_t at(std::string_view text) { return parseTimeValue(text, {})->wall; }

// The first 12 starts of a floating series up to the end of 2100, as text.
std::string starts(std::string_view start, std::string_view ruleText) {
    const std::optional<RecurrenceRule> rule = parseRecurrenceRule(ruleText);
    EXPECT_TRUE(rule) << ruleText;
    if (!rule) return {};
    ExpansionBudget budget(10'000'000);
    std::string found;
    std::size_t count = 0;
    const RecurrenceSeries series{*rule, at(start), start.size() == 8, std::nullopt};
    expandRecurrence(series, at(start), at("21010101"), budget, [&](std::int64_t moment) {
        const CalendarDate date = dateOfDayNumber(moment / 86400);
        char text[32];
        std::snprintf(text, sizeof text, "%s%04d%02d%02d %02d:%02d", count == 0 ? "" : ", ", date.year, date.month,
                      date.day, static_cast<int>(moment % 86400 / 3600), static_cast<int>(moment % 3600 / 60));
        found += text;
        return ++count < 12;
    });
    return found;
}

// The standard's examples that the calendar corpus holds no rule like, read
// from their start decades back.
TEST(Recurrence, ExpandsTheRulesOfTheStandardsExamples) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"19970902T090000", "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13;COUNT=4",
         "19970902 09:00, 19980213 09:00, 19980313 09:00, 19981113 09:00"},
        {"19961105T090000", "FREQ=YEARLY;INTERVAL=4;BYMONTH=11;BYDAY=TU;BYMONTHDAY=2,3,4,5,6,7,8;COUNT=3",
         "19961105 09:00, 20001107 09:00, 20041102 09:00"},
        {"19970310T090000", "FREQ=YEARLY;INTERVAL=2;COUNT=4;BYMONTH=1,2,3",
         "19970310 09:00, 19990110 09:00, 19990210 09:00, 19990310 09:00"},
        {"19970902T090000", "FREQ=DAILY;BYHOUR=9,10;BYMINUTE=0,30;COUNT=5",
         "19970902 09:00, 19970902 09:30, 19970902 10:00, 19970902 10:30, 19970903 09:00"},
    };
    for (const auto& [start, rule, first] : cases) EXPECT_EQ(starts(start, rule), first) << rule;
}

TEST(Recurrence, RefusesRulesItCannotRead) {
    for (const char* rule :
         {"", "BYDAY=MO", "FREQ=FORTNIGHTLY", "FREQ=DAILY;INTERVAL=0", "FREQ=DAILY;COUNT=-1", "FREQ=WEEKLY;BYDAY=XX",
          "FREQ=WEEKLY;BYDAY=0MO", "FREQ=MONTHLY;BYMONTHDAY=0", "FREQ=MONTHLY;BYMONTHDAY=32", "FREQ=YEARLY;BYMONTH=13",
          "FREQ=DAILY;BYHOUR=24", "FREQ=DAILY;BYHOUR=1,,2", "FREQ=DAILY;WKST=XY", "FREQ=DAILY;COUNT"})
        EXPECT_FALSE(parseRecurrenceRule(rule)) << rule;
    EXPECT_TRUE(parseRecurrenceRule("freq=daily;x-name=value;byday=+1mo,-53su"));
}

// Rules that would search for centuries stop when the budget is spent, having
// given what they found.
TEST(Recurrence, StopsWhenTheBudgetIsSpent) {
    for (const char* rule :
         {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30;COUNT=2", "FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30;COUNT=2",
          "FREQ=YEARLY;BYHOUR=1,2,3,4,5;BYMINUTE=1,2,3,4,5;BYSECOND=1,2,3,4,5;COUNT=2000000000"}) {
        SCOPED_TRACE(rule);
        ExpansionBudget budget(100'000);
        std::size_t found = 0;
        expandRecurrence({*parseRecurrenceRule(rule), at("10000101T000000"), false, std::nullopt}, at("20260101"),
                         at("20270101"), budget, [&](std::int64_t) { return ++found > 0; });
        EXPECT_TRUE(budget.spent());
        EXPECT_EQ(found, 0u);
    }
}

} // namespace
} // namespace almanix
