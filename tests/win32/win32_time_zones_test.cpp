#include <windows.h>

#include <gtest/gtest.h>

#include "support/zone_checks.h"
#include "win32/win32_time_zones.h"

namespace almanix {
namespace {

TEST(Win32TimeZones, AgreeWithTheKnownZones) {
    Win32TimeZones zones;
    testing::expectAgreementWithKnownZones(zones, "");
    // The local zone as the system has it, whichever it is, in winter.
    TIME_ZONE_INFORMATION local{};
    GetTimeZoneInformation(&local);
    EXPECT_EQ(zones.localOffsetAt(dayNumberOf({2026, 1, 15}) * 86400), -(local.Bias + local.StandardBias) * 60);
}

} // namespace
} // namespace almanix
