// What each shell's link fetcher makes of a local server's answers
// (link_server.py runs the test beside it): one set of cases for both builds.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#ifdef _WIN32
#include "win32/winhttp_link_fetcher.h"
using SystemLinkFetcher = almanix::WinHttpLinkFetcher;
#else
#include "qt/qt_link_fetcher.h"
#include "support/offscreen_application.h"
using SystemLinkFetcher = almanix::QtLinkFetcher;
#endif

namespace almanix {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct LinkServer : ::testing::Test {
    const std::string server = environment("ALMANIX_LINK_SERVER");
    // Small limits, so that the slow and the large answers show quickly.
    SystemLinkFetcher fetcher{FetchLimits{5, 1500, 1024 * 1024}};

#ifndef _WIN32
    // Qt's event loops need the application object, made on the main thread.
    static void SetUpTestSuite() { testing::offscreenApplication(); }
#endif
    void SetUp() override { ASSERT_FALSE(server.empty()) << "run under tests/shells/link_server.py"; }
};

TEST_F(LinkServer, AnswersFromAWorkerThread) {
    using enum FetchOutcome;
    using enum FetchProblem;
    const std::string closed = "http://127.0.0.1:" + environment("ALMANIX_CLOSED_PORT");
    const std::string untrusted = environment("ALMANIX_UNTRUSTED_SERVER");
    // Each row: what is asked, at what address, with what validator, and the outcome, status and problem.
    const std::tuple<const char*, std::string, std::optional<std::string>, FetchOutcome, int, FetchProblem> cases[] = {
        {"a calendar", server + "/calendar.ics", {}, body, 200, none},
        {"the same, unchanged", server + "/calendar.ics", "\"v1\"", notModified, 304, none},
        {"three relative redirects", server + "/hops/3", {}, body, 200, none},
        {"a redirect loop", server + "/loop", {}, failed, 302, tooManyRedirects},
        {"a redirect to ftp", server + "/elsewhere", {}, failed, 302, redirectRefused},
        {"a busy server", server + "/busy", {}, failed, 503, none},
        {"a missing calendar", server + "/missing.ics", {}, failed, 404, none},
        {"a slow server", server + "/slow", {}, failed, 0, timedOut},
        {"a large answer", server + "/large", {}, failed, 200, tooLarge},
        {"an endless answer", server + "/endless", {}, failed, 200, tooLarge},
        {"a stopped server", closed + "/calendar.ics", {}, failed, 0, noAnswer},
        {"a certificate that no system trusts", untrusted + "/calendar.ics", {}, failed, 0, secureConnectionRefused},
        {"no host", "http:///calendar.ics", {}, failed, 0, invalidAddress},
    };
    // The saver fetches on a worker thread.
    std::thread worker([&] {
        for (const auto& [what, address, etag, outcome, status, problem] : cases) {
            SCOPED_TRACE(what);
            const auto start = std::chrono::steady_clock::now();
            const FetchAnswer answer = fetcher.fetch({address, etag, std::nullopt});
            EXPECT_EQ(std::tie(answer.outcome, answer.status, answer.problem), std::tie(outcome, status, problem));
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        }
    });
    worker.join();
}

TEST_F(LinkServer, KeepsTheBodyAndWhatTheServerSaidOfIt) {
    const FetchAnswer calendar = fetcher.fetch({server + "/calendar.ics", std::nullopt, std::nullopt});
    EXPECT_EQ(calendar.body, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    EXPECT_EQ(calendar.etag, "\"v1\"");
    EXPECT_EQ(calendar.lastModified, "Sat, 05 Dec 2026 13:00:00 GMT");
    EXPECT_EQ(fetcher.fetch({server + "/busy", std::nullopt, std::nullopt}).retryAfterSeconds, 120);
}

} // namespace
} // namespace almanix
