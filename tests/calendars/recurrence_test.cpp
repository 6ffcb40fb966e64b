#include <gtest/gtest.h>

#include "calendars/content_lines.h"
#include "calendars/recurrence.h"
#include "common/calendar_date.h"

namespace almanix {
namespace {

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
