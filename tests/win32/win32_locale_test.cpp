#include <windows.h>

#include <gtest/gtest.h>

#include "events/due_events.h"
#include "support/zone_checks.h"
#include "win32/win32_short_date.h"
#include "win32/win32_time_zones.h"

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

TEST(Win32TimeZones, AgreeWithTheKnownZones) {
    Win32TimeZones zones;
    // Older systems' data (Wine's among them) predate Egypt's daylight saving
    // time of 2023, Mexico's end of it in 2022 and Chile's new dates of 2022.
    testing::expectAgreementWithKnownZones(zones, {"Africa/Cairo", "America/Mazatlan", "America/Santiago"});
    // The local zone as the system has it, whichever it is, in winter.
    TIME_ZONE_INFORMATION local{};
    GetTimeZoneInformation(&local);
    EXPECT_EQ(zones.localOffsetAt(dayNumberOf({2026, 1, 15}) * 86400), -(local.Bias + local.StandardBias) * 60);
}

} // namespace
} // namespace almanix
