#include <gtest/gtest.h>

#include "events/due_events.h"
#include "win32/win32_short_date.h"

namespace almanix {
namespace {

TEST(Win32ShortDate, ReadsBackWhatItWritesWithoutSpaces) {
    Win32ShortDate shortDate;
    const CalendarDate dates[] = {{2026, 12, 6}, {1998, 5, 13}, {2024, 2, 29}, {2031, 1, 1}, {2026, 7, 12}};
    for (const CalendarDate& date : dates) {
        const std::string text = shortDate.format(date);
        SCOPED_TRACE(text);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find(' '), std::string::npos);
        EXPECT_EQ(shortDate.parse(text), date);
    }
    EXPECT_EQ(shortDate.parse("not a date"), std::nullopt);
    EXPECT_EQ(shortDate.parse(""), std::nullopt);
}

// Whichever order the locale reads, 9 December written day first or month first stays due.
TEST(Win32ShortDate, AnEventWrittenInAnotherOrderIsReadByItsDayName) {
    Win32ShortDate shortDate;
    const std::string file = "#09/12/2026 Wednesday A\r\n#12/09/2026 Wednesday B\r\n";
    const EventScan scan = scanEvents(file, dayNumberOf({2026, 12, 6}), 3, shortDate);
    EXPECT_EQ(scan.dueCount, 2);
    EXPECT_EQ(scan.keptText, file);
}

} // namespace
} // namespace almanix
