#include <gtest/gtest.h>

#include "agenda/agenda.h"
#include "common/text_lines.h"
#include "saver/due_check.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using Lines = std::vector<std::string_view>;

// The saver hears at once of the event file with the calendars' files and the
// links' kept copies, then once more when a link was asked of its server. The
// event file's items come first among a day's all-day items.
TEST(Agenda, TheSaverHearsOfTheCalendarsAtOnceAndOfTheLinksWhenAsked) {
    testing::FakeSystem system;
    system.files.files[system.eventFile] = "#12/07/2026 Monday Dentist\r\n";
    system.files.files["C:\\cal\\a.ics"] = testing::calendarOf({"DTSTART;VALUE=DATE:20261207\r\nSUMMARY:Holiday\r\n"});
    system.files.files["C:\\cal\\b.ics"] = "not a calendar";
    auto fetcher = std::make_unique<testing::ScriptedLinkFetcher>();
    const std::string linked = testing::calendarOf({"DTSTART:20261206T090000Z\r\nSUMMARY:Meeting\r\n"});
    fetcher->answers = {{FetchOutcome::body, 200, linked, {}, {}, {}, FetchProblem::none}};
    DueCheckParts parts{std::make_unique<testing::MemoryFileSystem>(system.files),
                        system.shortDate.copy(),
                        std::make_unique<testing::FixedClock>(system.clock.moment),
                        system.platform.paths,
                        {"C:\\cal", "https://example.org/secret.ics"},
                        std::make_unique<KnownRuleTimeZones>("UTC"),
                        std::move(fetcher),
                        system.platform.cacheFolder};
    std::vector<std::string> answers;
    checkDueEventsAndCalendars(parts, 3, {}, [&](DueEvents due) { answers.push_back(due.text); });
    ASSERT_EQ(answers.size(), 2u);
    // Each item follows its CR LF.
    EXPECT_EQ(splitAtLineEnds(answers[0]), (Lines{"", "12/07/2026 Monday Dentist", "12/07/2026 Monday Holiday"}));
    EXPECT_EQ(splitAtLineEnds(answers[1]),
              (Lines{"", "12/06/2026 Sunday 09:00 Meeting", "12/07/2026 Monday Dentist", "12/07/2026 Monday Holiday"}));
}

} // namespace
} // namespace almanix
