#pragma once

// Checks that a shell's zone data agrees with the known zones' rules, which
// stand in for it where the system lacks a zone and in the corpus.

#include <gtest/gtest.h>

#include <algorithm>

#include "calendars/time_zones.h"
#include "common/calendar_date.h"

namespace almanix::testing {

// Every six hours of 2026 and 2027, in each known zone but those passed over.
inline void expectAgreementWithKnownZones(TimeZones& zones, std::initializer_list<std::string_view> passedOver = {}) {
    const std::int64_t from = dayNumberOf({2026, 1, 1}) * 86400;
    const std::int64_t to = dayNumberOf({2028, 1, 1}) * 86400;
    for (const KnownZone& zone : knownZones()) {
        if (std::find(passedOver.begin(), passedOver.end(), zone.ianaName) != passedOver.end()) continue;
        const std::optional<ZoneRule> rule = knownZoneRule(zone.ianaName);
        ASSERT_TRUE(rule) << zone.ianaName;
        int disagreements = 0;
        for (std::int64_t utc = from; utc < to && disagreements < 3; utc += 6 * 3600) {
            const int expected = offsetUnderRule(*rule, utc);
            const std::optional<int> found = zones.offsetAt(zone.ianaName, utc);
            if (found == expected) continue;
            ++disagreements;
            ADD_FAILURE() << zone.ianaName << " at " << utc << ": " << found.value_or(-1) << " for " << expected;
        }
    }
    EXPECT_FALSE(zones.offsetAt("Not/A_Zone", from));
}

} // namespace almanix::testing
