#pragma once

#include <ctime>
#include <map>
#include <optional>
#include <string>

#include "calendars/time_zones.h"
#include "common/calendar_date.h"

namespace almanix {

// The zones Windows keeps in the registry under their Windows names, reached
// from an IANA name through the known zones; where Windows does not have a
// zone, the known zones' own rule serves. The local zone is the system's.
class Win32TimeZones final : public TimeZones {
public:
    std::optional<int> offsetAt(std::string_view ianaName, std::int64_t utcSeconds) override;
    int localOffsetAt(std::int64_t utcSeconds) override;

private:
    std::map<std::string, std::optional<ZoneRule>, std::less<>> rules_;
};

// The local time of the system's zone setting, the one the zones above use.
// The C library's clock would follow a TZ variable that Windows itself ignores,
// and the day would then disagree with the events' times.
class Win32Clock final : public Clock {
public:
    LocalDateTime now() override;
    // UTC, which no TZ variable changes.
    std::int64_t utcSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
};

// The rule of a zone in the registry's "Time Zones" key, by its Windows name;
// nothing when the system does not have it.
std::optional<ZoneRule> registryZoneRule(std::string_view windowsName);

} // namespace almanix
