#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace almanix {

// Time zone data the system has; each shell implements it.
class TimeZones {
public:
    virtual ~TimeZones() = default;
    // Seconds east of UTC in effect at that UTC moment in the zone of that IANA
    // name; nothing when the name is unknown.
    virtual std::optional<int> offsetAt(std::string_view ianaName, std::int64_t utcSeconds) = 0;
    // Seconds east of UTC of the machine's local zone at that UTC moment.
    virtual int localOffsetAt(std::int64_t utcSeconds) = 0;
};

// The day of a year on which a zone changes its offset: the week'th weekday of
// the month (week 5 is the last), at a time of day on the clock in force
// before the change (it may lie outside 0..24 hours).
struct ZoneChangeDay {
    int month = 1;
    int week = 1; // 1..5
    int weekday = 1; // Sunday = 1 to Saturday = 7
    int secondsOfDay = 7200;
};

struct DaylightSaving {
    int offset = 0; // seconds east of UTC
    ZoneChangeDay start;
    ZoneChangeDay end;
};

// The rule a zone follows every year: its standard offset, and its daylight
// saving time where it has one.
struct ZoneRule {
    int standardOffset = 0; // seconds east of UTC
    std::optional<DaylightSaving> daylight;
};

// Seconds east of UTC under the rule at that UTC moment.
int offsetUnderRule(const ZoneRule& rule, std::int64_t utcSeconds);

// The day number of a change day in a year.
std::int64_t dayNumberOfChange(const ZoneChangeDay& change, int year);

// A POSIX TZ text with M rules ("CET-1CEST,M3.5.0,M10.5.0/3"); nothing when it
// cannot be read.
std::optional<ZoneRule> parsePosixZoneRule(std::string_view text);

// A zone the program knows without the system: its IANA name, the name
// Windows gives it (empty for none), and its present rule as a POSIX TZ text.
struct KnownZone {
    std::string_view ianaName;
    std::string_view windowsName;
    std::string_view posixRule;
};

// The common zones of the world. A Windows name stands first beside the IANA
// name it means; the rows after it that repeat it name zones that share its rule.
std::span<const KnownZone> knownZones();

std::optional<std::string_view> ianaNameOfWindowsZone(std::string_view windowsName);
std::optional<std::string_view> windowsNameOfZone(std::string_view ianaName);
std::optional<ZoneRule> knownZoneRule(std::string_view ianaName);

// Time zones from the known zones' rules alone, the local zone one of them:
// where the system has no zone data, and for tests that fix the local zone.
class KnownRuleTimeZones final : public TimeZones {
public:
    // An unknown local zone reads as UTC.
    explicit KnownRuleTimeZones(std::string_view localZone);
    std::optional<int> offsetAt(std::string_view ianaName, std::int64_t utcSeconds) override;
    int localOffsetAt(std::int64_t utcSeconds) override;

private:
    ZoneRule local_;
};

} // namespace almanix
