#include <gtest/gtest.h>

#include "events/date_pattern.h"
#include "events/event_file.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct EventFile : ::testing::Test, testing::FakeSystem {};

// The event list's fuzz target loads and saves any bytes, and the events
// dialog's test keeps the lines it never writes; here, how lines end.
TEST_F(EventFile, LoadsEveryLineAndSavesItBackWithCrLf) {
    constexpr auto event = EventLineKind::event;
    struct Case {
        std::string text;
        std::vector<EventLine> lines;
        std::optional<std::string> saved = std::nullopt; // nothing: the same bytes
    };
    const Case cases[] = {
        {"#a b c\r\n#last without end",
         {{event, "a b c"}, {event, "last without end"}},
         "#a b c\r\n#last without end\r\n"},
        {"#x\ry\r\n", {{event, "x\ry"}}},
        {"#one\n#two\r\n#three\n", {{event, "one"}, {event, "two"}, {event, "three"}}, "#one\r\n#two\r\n#three\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        files.files[eventFile] = c.text;
        const EventList list = loadEventList(events);
        EXPECT_EQ(list.status, EventFileStatus::read);
        EXPECT_EQ(list.lines, c.lines);
        EXPECT_TRUE(saveEventList(events, list.lines));
        EXPECT_EQ(files.files[eventFile], c.saved.value_or(c.text));
    }
}

} // namespace
} // namespace almanix
