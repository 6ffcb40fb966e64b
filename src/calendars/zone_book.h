#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendars/content_lines.h"
#include "calendars/recurrence.h"
#include "calendars/time_zones.h"

namespace almanix {

// A STANDARD or DAYLIGHT part of a VTIMEZONE: from its onsets on, the zone
// is offsetTo seconds east of UTC.
struct Observance {
    std::int64_t onset = 0; // DTSTART, on the clock in force before it
    int offsetFrom = 0;
    int offsetTo = 0;
    std::string rule; // RRULE as written; empty for none
    std::vector<std::int64_t> extraOnsets; // RDATE
};

// A VTIMEZONE of the calendar.
struct FeedZone {
    std::string id;
    std::vector<Observance> observances;
};

enum class ZoneKind { local, utc, feed, system };

// The clock a time of a calendar is read on: the machine's own (floating
// times, and zones nobody knows), UTC, a zone the calendar carries, or one of
// the system's, by its IANA name.
struct ZoneKey {
    ZoneKind kind = ZoneKind::local;
    std::size_t feed = 0;
    std::string_view ianaName;
};

// The zones of one calendar, and the conversions between their clocks and
// UTC. What a zone the calendar carries says is worked out once a year, and
// only for the years around the agenda: far from it an hour either way
// changes nothing that is listed.
class ZoneBook {
public:
    // floatingZone: X-WR-TIMEZONE, the zone of floating times; empty for the machine's.
    ZoneBook(std::vector<FeedZone> feedZones, std::string_view floatingZone, TimeZones& system, int firstYear,
             int lastYear, ExpansionBudget& budget);

    // The clock of a time value.
    ZoneKey zoneOf(const TimeValue& value);

    int offsetAt(const ZoneKey& zone, std::int64_t utc);
    // The first moment that shows that wall time; in a gap, the wall time on
    // the offset before it.
    std::int64_t utcOf(const ZoneKey& zone, std::int64_t wall);
    std::int64_t wallOf(const ZoneKey& zone, std::int64_t utc) { return utc + offsetAt(zone, utc); }
    std::int64_t localWallOf(std::int64_t utc) { return utc + system_.localOffsetAt(utc); }

private:
    struct Transition {
        std::int64_t utc = 0;
        int offset = 0;
    };
    struct ZoneYear {
        int offsetAtStart = 0;
        std::vector<Transition> transitions; // in order
    };

    ZoneKey resolve(std::string_view name);
    int feedOffsetAt(std::size_t feed, std::int64_t utc);
    const ZoneYear& zoneYear(std::size_t feed, int year);
    // Each onset of the observance (UTC) that lies in [from, to).
    std::vector<std::int64_t> onsets(const Observance& observance, std::int64_t from, std::int64_t to);

    std::vector<FeedZone> feedZones_;
    TimeZones& system_;
    int firstYear_;
    int lastYear_;
    ExpansionBudget& budget_;
    ZoneKey floating_;
    std::map<std::string, ZoneKey, std::less<>> resolved_;
    std::map<std::pair<std::size_t, int>, ZoneYear> years_;
};

} // namespace almanix
