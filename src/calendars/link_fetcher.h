#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace almanix {

// What keeps one fetch of a link bounded; the shells apply them, the tests
// shrink them.
struct FetchLimits {
    int redirects = 5;
    std::int64_t timeLimitMilliseconds = 20'000; // the whole fetch, redirects included
    std::size_t bodyBytes = 50 * 1024 * 1024;
};

struct FetchRequest {
    std::string address; // http:// or https:// only
    std::optional<std::string> etag, lastModified; // sent as If-None-Match and If-Modified-Since
};

enum class FetchOutcome { body, notModified, failed };

// Why a fetch failed before the server gave a status, or after it was refused.
enum class FetchProblem {
    none, // the status tells
    invalidAddress,
    noAnswer,
    hostNotFound,
    timedOut,
    tooManyRedirects,
    redirectRefused, // to http from https, or to another kind of address
    tooLarge,
    secureConnectionRefused,
};

struct FetchAnswer {
    FetchOutcome outcome = FetchOutcome::failed;
    int status = 0; // the last HTTP status, 0 without one
    std::string body;
    std::optional<std::string> etag, lastModified;
    std::optional<std::int64_t> retryAfterSeconds;
    FetchProblem problem = FetchProblem::none;
};

// A failed fetch: its problem, and the status when the server gave one.
inline FetchAnswer failedFetch(FetchProblem problem, int status = 0) {
    FetchAnswer answer;
    answer.status = status;
    answer.problem = problem;
    return answer;
}

// Fetches one link with the system's network and its certificate store.
// Blocking, so never called on the GUI thread; safe to call from several
// threads at once.
class LinkFetcher {
public:
    virtual ~LinkFetcher() = default;
    virtual FetchAnswer fetch(const FetchRequest& request) = 0;
};

// A few words for the problem, as the Calendars dialog shows them.
std::string_view problemText(FetchProblem problem);

// Where a redirect from `from` to `location` (absolute or relative) leads:
// an address, or the problem that stops the fetch.
struct RedirectStep {
    std::optional<std::string> address;
    FetchProblem problem = FetchProblem::none;
};
RedirectStep followRedirect(std::string_view from, std::string_view location, int redirectsSoFar,
                            const FetchLimits& limits);

// One request and its answer as the network gave them, without following a
// redirect: what each shell does.
struct HttpExchange {
    int status = 0; // 0 when no answer came
    FetchProblem problem = FetchProblem::none; // why the exchange stopped short
    std::string body; // needed for 2xx answers only
    std::optional<std::string> location, etag, lastModified, retryAfter;
};
inline HttpExchange stoppedExchange(FetchProblem problem) {
    HttpExchange exchange;
    exchange.problem = problem;
    return exchange;
}
using HttpExchanger = std::function<HttpExchange(const std::string& address)>;

// A fetch made of exchanges: redirects followed by the rules, and the answer
// made of the last exchange.
FetchAnswer fetchFollowingRedirects(const FetchRequest& request, const FetchLimits& limits, std::int64_t nowUtcSeconds,
                                    const HttpExchanger& exchange);

// Retry-After as seconds from now: delta-seconds or an HTTP date; nothing
// when it is neither.
std::optional<std::int64_t> retryAfterSeconds(std::string_view headerValue, std::int64_t nowUtcSeconds);

} // namespace almanix
