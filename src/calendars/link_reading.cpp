#include "calendars/link_reading.h"

#include <algorithm>

#include "calendars/calendar_links.h"
#include "calendars/content_lines.h"
#include "common/ascii_text.h"

namespace almanix {

namespace {

constexpr int kMostRefusalsCounted = 16; // far past the longest back-off

// "5 Dec 14:02", with the year when it is not this one's.
std::string momentText(const LocalDateTime& moment, const LocalDateTime& now) {
    const std::size_t month = static_cast<std::size_t>(std::clamp(moment.date.month, 1, 12) - 1);
    std::string text = std::to_string(moment.date.day) + ' ' + std::string(kMonthAbbreviations[month]);
    if (moment.date.year != now.date.year) text += ' ' + std::to_string(moment.date.year);
    return text + ' ' + twoDigits(moment.hour) + ':' + twoDigits(moment.minute);
}

LinkReading readingOf(const std::optional<KeptCopy>& copy, const LinkMoment& now) {
    if (!copy) return {std::nullopt, LinkStatus::nothing, "not fetched yet"};
    if (!copy->body)
        return {std::nullopt, LinkStatus::nothing, copy->problem.empty() ? "not fetched yet" : copy->problem};
    if (copy->problem.empty()) return {copy->body, LinkStatus::current, {}};
    return {copy->body, LinkStatus::keptCopy,
            "kept copy from " + momentText(copy->fetchedLocal, now.local) + ": " + copy->problem};
}

std::int64_t refreshSecondsOf(std::string_view body) {
    return std::clamp(refreshIntervalOf(body).value_or(0), kShortestRefreshSeconds, kLongestRefreshSeconds);
}

} // namespace

std::optional<std::int64_t> refreshIntervalOf(std::string_view calendarText) {
    std::optional<std::int64_t> refreshInterval, publishedTimeToLive;
    UnfoldedLines lines(calendarText);
    while (const std::optional<std::string_view> text = lines.next()) {
        const std::optional<ContentLine> line = parseContentLine(*text);
        if (!line) continue;
        const std::string_view value = withoutSpaceAround(line->value);
        // The calendar's own properties come before its first component.
        if (equalIgnoringCase(line->name, "BEGIN") && !equalIgnoringCase(value, "VCALENDAR")) break;
        if (equalIgnoringCase(line->name, "REFRESH-INTERVAL")) refreshInterval = parseDuration(value);
        if (equalIgnoringCase(line->name, "X-PUBLISHED-TTL")) publishedTimeToLive = parseDuration(value);
    }
    const std::optional<std::int64_t> interval = refreshInterval ? refreshInterval : publishedTimeToLive;
    // A feed cannot ask to be fetched before it was.
    return interval && *interval >= 0 ? interval : std::nullopt;
}

bool isWholeCalendar(std::string_view body) {
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    body = withoutSpaceAround(body, kSpaceAndLineBreaks);
    constexpr std::string_view kEnd = "END:VCALENDAR";
    return startsWithIgnoringCase(body, "BEGIN:VCALENDAR") && body.size() >= kEnd.size() &&
           equalIgnoringCase(body.substr(body.size() - kEnd.size()), kEnd);
}

KeptCopy keptCopyAfter(KeptCopy copy, FetchAnswer answer, const LinkMoment& now) {
    const auto confirm = [&] {
        copy.fetchedUtcSeconds = now.utcSeconds;
        copy.fetchedLocal = now.local;
        copy.problem.clear();
        copy.serverRefusals = 0;
        copy.nextAttemptUtcSeconds = now.utcSeconds + refreshSecondsOf(*copy.body);
        return copy;
    };
    std::string problem;
    if (answer.outcome == FetchOutcome::body) {
        if (answer.body.size() > FetchLimits{}.bodyBytes) {
            problem = problemText(FetchProblem::tooLarge);
        } else if (!isWholeCalendar(answer.body)) {
            problem = "the answer is not a calendar";
        } else {
            copy.body = std::move(answer.body);
            copy.etag = std::move(answer.etag);
            copy.lastModified = std::move(answer.lastModified);
            return confirm();
        }
    } else if (answer.outcome == FetchOutcome::notModified && copy.body) {
        if (answer.etag) copy.etag = std::move(answer.etag);
        if (answer.lastModified) copy.lastModified = std::move(answer.lastModified);
        return confirm();
    } else if (answer.problem != FetchProblem::none || answer.status == 0) {
        const FetchProblem cause = answer.problem == FetchProblem::none ? FetchProblem::noAnswer : answer.problem;
        problem = problemText(cause);
    } else {
        problem = "the server answered " + std::to_string(answer.status);
    }

    copy.problem = std::move(problem);
    std::int64_t wait = kShortestRefreshSeconds;
    // A busy or failing server is given more time with each refusal.
    if (answer.status == 429 || (answer.status >= 500 && answer.status <= 599)) {
        copy.serverRefusals = std::min(copy.serverRefusals + 1, kMostRefusalsCounted);
        const std::int64_t doubled = kShortestRefreshSeconds << (copy.serverRefusals - 1);
        wait = std::min(kLongestBackOffSeconds, std::max(doubled, answer.retryAfterSeconds.value_or(0)));
    }
    copy.nextAttemptUtcSeconds = now.utcSeconds + wait;
    return copy;
}

LinkReading readLink(std::string_view link, LinkFetcher& fetcher, FileSystem& files, const CacheFolder& cache,
                     const LinkMoment& now, LinkFetching fetching) {
    std::optional<KeptCopy> kept = loadKeptCopy(files, cache, link);
    // A next attempt further off than any wait means the clock was turned back.
    const bool due = !kept || now.utcSeconds >= kept->nextAttemptUtcSeconds ||
                     kept->nextAttemptUtcSeconds - now.utcSeconds > kLongestRefreshSeconds;
    if (fetching == LinkFetching::never || !due) {
        LinkReading reading = readingOf(kept, now);
        reading.serverDue = due && fetching == LinkFetching::never;
        return reading;
    }

    KeptCopy copy = kept.value_or(KeptCopy{});
    FetchRequest request{fetchAddressOf(link), std::nullopt, std::nullopt};
    if (copy.body) {
        request.etag = copy.etag;
        request.lastModified = copy.lastModified;
    }
    copy = keptCopyAfter(std::move(copy), fetcher.fetch(request), now);
    // Unwritten, the answer still serves this time; the next run asks again.
    storeKeptCopy(files, cache, link, copy);
    return readingOf(copy, now);
}

} // namespace almanix
