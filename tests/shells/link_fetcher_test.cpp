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
#include <QCoreApplication>

#include "qt/qt_link_fetcher.h"
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

    static void SetUpTestSuite() {
#ifndef _WIN32
        // Qt's event loops need the application object, made on the main thread.
        static int argc = 1;
        static char name[] = "link_fetcher_tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
#endif
    }
    void SetUp() override { ASSERT_FALSE(server.empty()) << "run under tests/shells/link_server.py"; }
};

TEST_F(LinkServer, AnswersFromAWorkerThread) {
    struct Case {
        std::string what, address;
        std::optional<std::string> etag;
        FetchOutcome outcome;
        int status;
        FetchProblem problem;
    };
    const Case cases[] = {
        {"a calendar", server + "/calendar.ics", {}, FetchOutcome::body, 200, FetchProblem::none},
        {"the same, unchanged", server + "/calendar.ics", "\"v1\"", FetchOutcome::notModified, 304, FetchProblem::none},
        {"three relative redirects", server + "/hops/3", {}, FetchOutcome::body, 200, FetchProblem::none},
        {"a redirect loop", server + "/loop", {}, FetchOutcome::failed, 302, FetchProblem::tooManyRedirects},
        {"a redirect to ftp", server + "/elsewhere", {}, FetchOutcome::failed, 302, FetchProblem::redirectRefused},
        {"a busy server", server + "/busy", {}, FetchOutcome::failed, 503, FetchProblem::none},
        {"a missing calendar", server + "/missing.ics", {}, FetchOutcome::failed, 404, FetchProblem::none},
        {"a slow server", server + "/slow", {}, FetchOutcome::failed, 0, FetchProblem::timedOut},
        {"a large answer", server + "/large", {}, FetchOutcome::failed, 200, FetchProblem::tooLarge},
        {"an endless answer", server + "/endless", {}, FetchOutcome::failed, 200, FetchProblem::tooLarge},
        {"a stopped server",
         "http://127.0.0.1:" + environment("ALMANIX_CLOSED_PORT") + "/calendar.ics",
         {},
         FetchOutcome::failed,
         0,
         FetchProblem::noAnswer},
        {"a certificate that no system trusts",
         environment("ALMANIX_UNTRUSTED_SERVER") + "/calendar.ics",
         {},
         FetchOutcome::failed,
         0,
         FetchProblem::secureConnectionRefused},
        {"no host", "http:///calendar.ics", {}, FetchOutcome::failed, 0, FetchProblem::invalidAddress},
    };
    // The saver fetches on a worker thread.
    std::thread worker([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const auto start = std::chrono::steady_clock::now();
            const FetchAnswer answer = fetcher.fetch({c.address, c.etag, std::nullopt});
            EXPECT_EQ(answer.outcome, c.outcome);
            EXPECT_EQ(answer.status, c.status);
            EXPECT_EQ(answer.problem, c.problem);
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
