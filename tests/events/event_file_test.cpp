#include <gtest/gtest.h>

#include "events/date_pattern.h"
#include "events/event_file.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct EventFile : ::testing::Test, testing::FakeSystem {
    EventStore store = platform.eventStore();
    const std::string path = "C:\\Almanix\\events.dat";
};

// The event list's fuzz target loads and saves any bytes; here, how lines end.
TEST_F(EventFile, LoadsEveryLineAndSavesItBackWithCrLf) {
    constexpr auto event = EventLineKind::event;
    constexpr auto kept = EventLineKind::kept;
    struct Case {
        std::string text;
        std::vector<EventLine> lines;
        std::optional<std::string> saved = std::nullopt; // nothing: the same bytes
    };
    const Case cases[] = {
        {"#12/24/2026 Thursday Christmas Eve\r\n#1/1/2027 Friday New year, \"party\" #1\r\n#5/13/2027 Thursday  \r\n",
         {{event, "12/24/2026 Thursday Christmas Eve"}, {event, "1/1/2027 Friday New year, \"party\" #1"},
          {event, "5/13/2027 Thursday  "}}},
        {"#a b c\r\n#last without end", {{event, "a b c"}, {event, "last without end"}}, "#a b c\r\n#last without end\r\n"},
        {"#x\ry\r\n", {{event, "x\ry"}}},
        {"#one\n#two\r\n#three\n", {{event, "one"}, {event, "two"}, {event, "three"}}, "#one\r\n#two\r\n#three\r\n"},
        // Lines the program never writes are kept as they stand.
        {"#one\r\n\r\nX05/14/2027 Friday x\r\n#two\r\n",
         {{event, "one"}, {kept, ""}, {kept, "X05/14/2027 Friday x"}, {event, "two"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        files.files[path] = c.text;
        const EventList list = loadEventList(store);
        EXPECT_EQ(list.status, EventFileStatus::read);
        EXPECT_EQ(list.lines, c.lines);
        EXPECT_TRUE(saveEventList(store, list.lines));
        EXPECT_EQ(files.files[path], c.saved.value_or(c.text));
    }
}

TEST_F(EventFile, MissingOrUnreadableFileLoadsNothing) {
    EventList list = loadEventList(store);
    EXPECT_EQ(list.status, EventFileStatus::missing);
    EXPECT_TRUE(list.lines.empty());

    files.files[path] = "#a b c\r\n";
    files.failingReads.insert(path);
    list = loadEventList(store);
    EXPECT_EQ(list.status, EventFileStatus::unreadable);
    EXPECT_TRUE(list.lines.empty());
}

TEST_F(EventFile, SaveWritesTheWholeListAtOnceOrNothing) {
    files.files[path] = "#old line\r\n";
    EXPECT_TRUE(saveEventList(store, {}));
    EXPECT_EQ(files.files[path], "");

    files.files[path] = "#old line\r\n";
    files.failWrites = true;
    EXPECT_FALSE(saveEventList(store, {{EventLineKind::event, "new item"}}));
    EXPECT_EQ(files.files[path], "#old line\r\n");
}

} // namespace
} // namespace almanix
