#pragma once

#include <map>
#include <optional>
#include <string>

#include "calendars/time_zones.h"

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

// The rule of a zone in the registry's "Time Zones" key, by its Windows name;
// nothing when the system does not have it.
std::optional<ZoneRule> registryZoneRule(std::string_view windowsName);

} // namespace almanix
