#include <gtest/gtest.h>

#include <sstream>

#include "events/date_pattern.h"
#include "events/event_file.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct EventFile : ::testing::Test, testing::FakeSystem {};

// Files as editors save them: the encoding is told by the byte order mark, and
// the bytes come back as they came but for line ends, which become CR LF. The
// event list's fuzz target loads and saves any bytes, and the events dialog's
// test keeps the lines it never writes.
TEST_F(EventFile, LoadsEveryLineInItsEncodingAndSavesItBack) {
    constexpr auto event = EventLineKind::event;
    using enum TextEncoding;
    const std::string_view utf16Le("\xFF\xFE#\0a\0\r\0\n\0#\0\xE9\0\x3D\xD8\x00\xDE\r\0\n\0", 22);
    const std::string_view utf16Be("\xFE\xFF\0#\0a\0\r\0\n", 10);
    const std::string_view loneUnits("\xFF\xFE#\0\x3D\xD8x\0\x00\xDE\r\0\n\0", 14);
    // Each row: the file, its encoding and lines, and the file saved back when it is not the same.
    const std::tuple<std::string_view, TextEncoding, std::vector<EventLine>, std::optional<std::string>> cases[] = {
        {"#a b c\r\n#last without end",
         plain,
         {{event, "a b c"}, {event, "last without end"}},
         "#a b c\r\n#last without end\r\n"},
        {"#x\ry\r\n", plain, {{event, "x\ry"}}, {}},
        {"#one\n#two\r\n#three\n",
         plain,
         {{event, "one"}, {event, "two"}, {event, "three"}},
         "#one\r\n#two\r\n#three\r\n"},
        {"#caf\xE9\r\n", plain, {{event, "caf\xE9"}}, {}},
        {"\xEF\xBB\xBF#a\r\n#b\r\n", utf8WithMark, {{event, "a"}, {event, "b"}}, {}},
        {utf16Le, utf16LittleEndian, {{event, "a"}, {event, "\xC3\xA9\xF0\x9F\x98\x80"}}, {}},
        {utf16Be, utf16BigEndian, {{event, "a"}}, {}},
        // Lone surrogates, and an odd last byte.
        {loneUnits, utf16LittleEndian, {{event, "\xED\xA0\xBDx\xED\xB8\x80"}}, {}},
        {std::string_view("\xFF\xFE#\0a", 5),
         utf16LittleEndian,
         {{event, "\xEF\xBF\xBD"}},
         std::string("\xFF\xFE#\0\xFD\xFF\r\0\n\0", 10)},
        {"\xEF\xBB\xBF", utf8WithMark, {}, {}},
    };
    for (const auto& [bytes, encoding, lines, saved] : cases) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        files.files[eventFile] = std::string(bytes);
        const EventList list = loadEventList(events);
        EXPECT_EQ(list.status, EventFileStatus::read);
        EXPECT_EQ(list.encoding, encoding);
        EXPECT_EQ(list.lines, lines);
        EXPECT_TRUE(saveEventList(events, list.lines, list.encoding));
        EXPECT_EQ(files.files[eventFile], saved.value_or(std::string(bytes)));
    }
    // Text that is not UTF-8 goes into UTF-16 a character a byte.
    EXPECT_EQ(encodeFile("\xE9\xC3", utf16BigEndian), std::string("\xFE\xFF\0\xE9\0\xC3", 6));
}

// Each row: the list as loaded, as edited, as the file holds it now, and as merged; one event a word.
TEST_F(EventFile, EditsGoOnTopOfWhatAnotherCopyWrote) {
    const auto lines = [](std::string_view words) {
        std::vector<EventLine> made;
        std::istringstream in{std::string(words)};
        for (std::string word; in >> word;) made.push_back({EventLineKind::event, word});
        return made;
    };
    const std::tuple<const char*, std::string_view, std::string_view, std::string_view, std::string_view> cases[] = {
        {"both added", "a b", "a mine b", "a b theirs", "a mine b theirs"},
        {"I deleted, they added", "a b", "b", "x a b", "x b"},
        {"they deleted what I kept", "a b", "a b c", "b", "b c"},
        {"added first, after a line gone", "a b", "new a z b", "b", "new b z"},
        {"one of two alike deleted", "a a", "a", "a a t", "a t"},
    };
    for (const auto& [name, loaded, edited, current, merged] : cases)
        EXPECT_EQ(applyEdits(lines(loaded), lines(edited), lines(current)), lines(merged)) << name;
}

} // namespace
} // namespace almanix
