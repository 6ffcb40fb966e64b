#include "calendars/link_fetcher.h"

#include <algorithm>

#include "calendars/calendar_links.h"
#include "common/ascii_text.h"
#include "common/calendar_date.h"

namespace almanix {

namespace {

// "Sun, 06 Nov 1994 08:49:37 GMT", the one date form HTTP servers send.
std::optional<std::int64_t> httpDateUtcSeconds(std::string_view text) {
    const std::size_t comma = text.find(", ");
    if (comma == std::string_view::npos || text.size() != comma + 2 + 24) return std::nullopt;
    const std::string_view rest = text.substr(comma + 2); // "06 Nov 1994 08:49:37 GMT"
    if (rest[2] != ' ' || rest[6] != ' ' || rest[11] != ' ' || rest[14] != ':' || rest[17] != ':' ||
        rest.substr(20) != " GMT")
        return std::nullopt;
    int month = 0;
    for (std::size_t index = 0; index < kMonthAbbreviations.size(); ++index)
        if (rest.substr(3, 3) == kMonthAbbreviations[index]) month = static_cast<int>(index) + 1;
    const auto day = numberOfDigits(rest.substr(0, 2), 2), year = numberOfDigits(rest.substr(7, 4), 4);
    const auto hour = numberOfDigits(rest.substr(12, 2), 2), minute = numberOfDigits(rest.substr(15, 2), 2),
               second = numberOfDigits(rest.substr(18, 2), 2);
    if (!day || !year || !hour || !minute || !second || month == 0) return std::nullopt;
    const CalendarDate date{static_cast<int>(*year), month, static_cast<int>(*day)};
    if (!isValidDate(date)) return std::nullopt;
    return dayNumberOf(date) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

bool isRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

std::string_view problemText(FetchProblem problem) {
    switch (problem) {
    case FetchProblem::none: return {};
    case FetchProblem::invalidAddress: return "the link is not a web address";
    case FetchProblem::noAnswer: return "the server did not answer";
    case FetchProblem::hostNotFound: return "the server was not found";
    case FetchProblem::timedOut: return "the server took too long";
    case FetchProblem::tooManyRedirects: return "too many redirects";
    case FetchProblem::redirectRefused: return "a redirect was refused";
    case FetchProblem::tooLarge: return "the answer is too large";
    case FetchProblem::secureConnectionRefused: return "the server's certificate or encryption was refused";
    }
    return {};
}

RedirectStep followRedirect(std::string_view from, std::string_view location, int redirectsSoFar,
                            const FetchLimits& limits) {
    if (redirectsSoFar >= limits.redirects) return {std::nullopt, FetchProblem::tooManyRedirects};
    std::string next = resolveLocation(from, withoutSpaceAround(location));
    const bool toHttps = startsWithIgnoringCase(next, "https://");
    const bool toHttp = startsWithIgnoringCase(next, "http://");
    // A link's token must not leave an encrypted connection for a plain one.
    if (!toHttps && !(toHttp && !startsWithIgnoringCase(from, "https://")))
        return {std::nullopt, FetchProblem::redirectRefused};
    return {std::move(next), FetchProblem::none};
}

std::optional<std::int64_t> retryAfterSeconds(std::string_view headerValue, std::int64_t nowUtcSeconds) {
    headerValue = withoutSpaceAround(headerValue);
    if (const auto seconds = numberOfDigits(headerValue, 10)) return seconds;
    const auto until = httpDateUtcSeconds(headerValue);
    if (!until) return std::nullopt;
    return std::max<std::int64_t>(0, *until - nowUtcSeconds);
}

FetchAnswer fetchFollowingRedirects(const FetchRequest& request, const FetchLimits& limits, std::int64_t nowUtcSeconds,
                                    const HttpExchanger& exchange) {
    std::string address = request.address;
    for (int redirects = 0;; ++redirects) {
        HttpExchange answer = exchange(address);
        if (answer.problem != FetchProblem::none) return failedFetch(answer.problem, answer.status);
        if (answer.status == 0) return failedFetch(FetchProblem::noAnswer);
        if (isRedirectStatus(answer.status)) {
            const RedirectStep step = followRedirect(address, answer.location.value_or(""), redirects, limits);
            if (!step.address) return failedFetch(step.problem, answer.status);
            address = *step.address;
            continue;
        }
        FetchAnswer result = failedFetch(FetchProblem::none, answer.status);
        result.etag = std::move(answer.etag);
        result.lastModified = std::move(answer.lastModified);
        if (answer.status == 304) {
            result.outcome = FetchOutcome::notModified;
        } else if (answer.status >= 200 && answer.status <= 299) {
            result.outcome = FetchOutcome::body;
            result.body = std::move(answer.body);
        } else if (answer.retryAfter) {
            result.retryAfterSeconds = retryAfterSeconds(*answer.retryAfter, nowUtcSeconds);
        }
        return result;
    }
}

} // namespace almanix
