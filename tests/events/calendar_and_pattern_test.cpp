#include <gtest/gtest.h>

#include "common/calendar_date.h"
#include "events/date_pattern.h"

namespace almanix {
namespace {

using Field = DatePattern::Field;

TEST(DatePattern, TakesOrderAndSeparatorFromTheLocaleFormat) {
    struct Case {
        const char* format;
        std::array<Field, 3> order;
        char separator;
        const char* sixDecember;
    };
    const Case cases[] = {
        {"%d.%m.%Y", {Field::day, Field::month, Field::year}, '.', "06.12.2026"},
        {"%d/%m/%y", {Field::day, Field::month, Field::year}, '/', "06/12/2026"},
        {"%Y-%m-%d", {Field::year, Field::month, Field::day}, '-', "2026-12-06"},
        {"%F", {Field::year, Field::month, Field::day}, '-', "2026-12-06"},
        {"%D", {Field::month, Field::day, Field::year}, '/', "12/06/2026"},
        {"%e %B %Y", {Field::day, Field::month, Field::year}, '/', "06/12/2026"},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", {Field::year, Field::month, Field::day}, '/', "2026/12/06"},
        {"nonsense", {Field::month, Field::day, Field::year}, '/', "12/06/2026"},
    };
    // Windows short-date pictures, as used where they hold blanks.
    const Case pictures[] = {
        {"yyyy. MM. dd.", {Field::year, Field::month, Field::day}, '.', "2026.12.06"},
        {"d. M. yyyy", {Field::day, Field::month, Field::year}, '.', "06.12.2026"},
        {"dd MMM yy", {Field::day, Field::month, Field::year}, '/', "06/12/2026"},
    };
    const auto check = [](const Case& c, DatePattern pattern) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(pattern.order(), c.order);
        EXPECT_EQ(pattern.separator(), c.separator);
        EXPECT_EQ(pattern.format({2026, 12, 6}), c.sixDecember);
        EXPECT_EQ(pattern.parse(c.sixDecember), (CalendarDate{2026, 12, 6}));
    };
    for (const Case& c : cases) check(c, DatePattern::fromPosixFormat(c.format));
    for (const Case& c : pictures) check(c, DatePattern::fromWindowsPicture(c.format).value());
    EXPECT_FALSE(DatePattern::fromWindowsPicture("MM yyyy"));
}

TEST(DatePattern, ReadsWhatItWritesAndRefusesTheRest) {
    DatePattern pattern({Field::month, Field::day, Field::year}, '/');
    EXPECT_EQ(pattern.parse("5/13/29"), (CalendarDate{2029, 5, 13}));
    EXPECT_EQ(pattern.parse("2/29/2024"), (CalendarDate{2024, 2, 29}));
    for (const char* text : {"2/29/2025", "12/6", "12/6/2026/1", "12-6-2026", "12/6/20266", "a/b/c", "", "12/ 6/2026"})
        EXPECT_EQ(pattern.parse(text), std::nullopt) << text;
}

} // namespace
} // namespace almanix
