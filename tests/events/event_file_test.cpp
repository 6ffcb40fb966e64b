#include <gtest/gtest.h>

#include "events/date_pattern.h"
#include "events/event_file.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct EventFile : ::testing::Test {
    testing::MemoryFileSystem files;
    DatePattern shortDate{{DatePattern::Field::month, DatePattern::Field::day, DatePattern::Field::year}, '/'};
    testing::FixedClock clock{{{2026, 12, 6}, 12, 0, 0}};
    EventStore store{files, {"C:\\Almanix", '\\', ""}, shortDate, clock};
    const std::string path = "C:\\Almanix\\events.dat";
};

TEST_F(EventFile, RoundTripIsByteForByte) {
    const std::string texts[] = {
        "#12/24/2026 Thursday Christmas Eve\r\n#1/1/2027 Friday New year, \"party\" #1\r\n#5/13/2027 Thursday  \r\n",
        "",
        "#\r\n",
        "#12/24/2026 Thursday caf\xE9 \xFC\r\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        files.files[path] = text;
        const EventList list = loadEventList(store);
        EXPECT_EQ(list.status, EventFileStatus::read);
        EXPECT_TRUE(saveEventList(store, list.items));
        EXPECT_EQ(files.files[path], text);
    }
}

TEST_F(EventFile, LoadsEachLineWithoutItsMarker) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"#a b c\r\n#d e f\r\n#g h i\r\n", {"a b c", "d e f", "g h i"}},
        {"#a b c\r\n#last without end", {"a b c", "last without end"}},
        {"#\r\n", {""}},
        {"#x\ry\r\n", {"x\ry"}},
        {"#one\r\n\r\n#two\r\n", {"one", "two"}},      // an empty line holds no event
        {"no marker\r\n", {"no marker"}},              // its text is kept whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        files.files[path] = c.text;
        EXPECT_EQ(loadEventList(store).items, c.items);
    }
}

TEST_F(EventFile, MissingOrUnreadableFileLoadsNothing) {
    EventList list = loadEventList(store);
    EXPECT_EQ(list.status, EventFileStatus::missing);
    EXPECT_TRUE(list.items.empty());

    files.files[path] = "#a b c\r\n";
    files.failingReads.insert(path);
    list = loadEventList(store);
    EXPECT_EQ(list.status, EventFileStatus::unreadable);
    EXPECT_TRUE(list.items.empty());
}

TEST_F(EventFile, SaveWritesTheWholeListAtOnceOrNothing) {
    files.files[path] = "#old line\r\n";
    EXPECT_TRUE(saveEventList(store, {}));
    EXPECT_EQ(files.files[path], "");

    files.files[path] = "#old line\r\n";
    files.failWrites = true;
    EXPECT_FALSE(saveEventList(store, {"new item"}));
    EXPECT_EQ(files.files[path], "#old line\r\n");
}

TEST(ListItem, IsDateDayNameAndContent) {
    EXPECT_EQ(makeListItem("5/13/98", 4, "Dentist"), "5/13/98 Wednesday Dentist");
    EXPECT_EQ(makeListItem("5/13/98", 4, " "), "5/13/98 Wednesday  ");
}

} // namespace
} // namespace almanix
