#include <windows.h>

#include <gtest/gtest.h>

#include "support/zone_checks.h"
#include "win32/win32_time_zones.h"

namespace almanix {
namespace {

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
