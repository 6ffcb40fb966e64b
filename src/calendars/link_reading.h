#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendars/kept_copy.h"
#include "calendars/link_fetcher.h"
#include "common/calendar_date.h"
#include "common/file_system.h"

namespace almanix {

// The present moment both as the server counts it and as the user reads it.
struct LinkMoment {
    std::int64_t utcSeconds = 0;
    LocalDateTime local;
};

enum class LinkFetching {
    whenDue, // asks the server when the kept copy is old enough; blocks, so off the GUI thread
    never, // the kept copy alone, at once: for the saver's first frame
};

enum class LinkStatus {
    current, // what the server last gave, and the last check went well
    keptCopy, // the last check failed and the kept copy serves
    nothing, // nothing to read
};

struct LinkReading {
    std::optional<std::string> calendarText;
    LinkStatus status = LinkStatus::nothing;
    // Empty when current; otherwise a few words such as "kept copy from 5 Dec
    // 14:02: the server answered 503" or "the server did not answer".
    std::string state;
    // Read with LinkFetching::never: whether LinkFetching::whenDue would ask the server now.
    bool serverDue = false;
};

// A server is asked at most this often, whatever its feed says.
inline constexpr std::int64_t kShortestRefreshSeconds = 3600;
// A feed's own interval is followed up to a week.
inline constexpr std::int64_t kLongestRefreshSeconds = 7 * 86400;
// 429 and 5xx answers double the wait from an hour up to a day.
inline constexpr std::int64_t kLongestBackOffSeconds = 86400;

// The calendar text of one link source and its state. Writes the link's kept
// copy after each request; reads it alone with LinkFetching::never.
LinkReading readLink(std::string_view link, LinkFetcher& fetcher, FileSystem& files, const CacheFolder& cache,
                     const LinkMoment& now, LinkFetching fetching);

// The kept copy after the server's answer, with the time of the next request.
KeptCopy keptCopyAfter(KeptCopy copy, FetchAnswer answer, const LinkMoment& now);

// How often the feed asks to be fetched, in seconds: its REFRESH-INTERVAL,
// else its X-PUBLISHED-TTL.
std::optional<std::int64_t> refreshIntervalOf(std::string_view calendarText);

// A whole calendar starts with BEGIN:VCALENDAR and ends with END:VCALENDAR; an
// error page or a cut-off answer does not.
bool isWholeCalendar(std::string_view body);

} // namespace almanix
