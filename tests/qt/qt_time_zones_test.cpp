#include <gtest/gtest.h>

#include <ctime>

#include "qt/qt_time_zones.h"
#include "support/zone_checks.h"

namespace almanix {
namespace {

TEST(QtTimeZones, AgreeWithTheKnownZones) {
    QtTimeZones zones;
    testing::expectAgreementWithKnownZones(zones);
    // The local zone as the C library has it, whichever it is, in winter and in summer.
    for (const std::time_t utc : {std::time_t{1768435200}, std::time_t{1783987200}}) {
        std::tm local{};
        ::localtime_r(&utc, &local);
        EXPECT_EQ(zones.localOffsetAt(utc), local.tm_gmtoff);
    }
}

} // namespace
} // namespace almanix
