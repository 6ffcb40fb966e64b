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

// Files as editors save them: the encoding is told by the byte order mark, and the
// same bytes come back. Lone UTF-16 units and odd bytes survive too.
TEST_F(EventFile, ReadsEveryEncodingAndWritesItBackAsItCame) {
    constexpr auto event = EventLineKind::event;
    const std::string_view utf16Le("\xFF\xFE#\0a\0\r\0\n\0#\0\xE9\0\x3D\xD8\x00\xDE\r\0\n\0", 22);
    const std::string_view utf16Be("\xFE\xFF\0#\0a\0\r\0\n", 10);
    const std::string_view loneUnits("\xFF\xFE#\0\x3D\xD8x\0\x00\xDE\r\0\n\0", 14);
    struct Case {
        const char* name;
        std::string_view bytes;
        TextEncoding encoding;
        std::vector<EventLine> lines;
        std::optional<std::string> saved = std::nullopt; // nothing: the same bytes
    };
    const Case cases[] = {
        {"plain 8-bit", "#caf\xE9\r\n", TextEncoding::plain, {{event, "caf\xE9"}}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF#a\r\n#b\r\n", TextEncoding::utf8WithMark, {{event, "a"}, {event, "b"}}},
        {"UTF-16 LE", utf16Le, TextEncoding::utf16LittleEndian, {{event, "a"}, {event, "\xC3\xA9\xF0\x9F\x98\x80"}}},
        {"UTF-16 BE", utf16Be, TextEncoding::utf16BigEndian, {{event, "a"}}},
        {"lone surrogates", loneUnits, TextEncoding::utf16LittleEndian, {{event, "\xED\xA0\xBDx\xED\xB8\x80"}}},
        {"an odd last byte",
         std::string_view("\xFF\xFE#\0a", 5),
         TextEncoding::utf16LittleEndian,
         {{event, "\xEF\xBF\xBD"}},
         std::string("\xFF\xFE#\0\xFD\xFF\r\0\n\0", 10)},
        {"only a mark", "\xEF\xBB\xBF", TextEncoding::utf8WithMark, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files.files[eventFile] = std::string(c.bytes);
        const EventList list = loadEventList(events);
        EXPECT_EQ(list.encoding, c.encoding);
        EXPECT_EQ(list.lines, c.lines);
        EXPECT_TRUE(saveEventList(events, list.lines, list.encoding));
        EXPECT_EQ(files.files[eventFile], c.saved.value_or(std::string(c.bytes)));
    }
    // Text that is not UTF-8 goes into UTF-16 a character a byte.
    EXPECT_EQ(encodeFile("\xE9\xC3", TextEncoding::utf16BigEndian), std::string("\xFE\xFF\0\xE9\0\xC3", 6));
}

TEST_F(EventFile, EditsGoOnTopOfWhatAnotherCopyWrote) {
    using Lines = std::vector<EventLine>;
    const auto lines = [](std::initializer_list<const char*> texts) {
        Lines made;
        for (const char* text : texts) made.push_back({EventLineKind::event, text});
        return made;
    };
    struct Case {
        const char* name;
        Lines loaded, edited, current, merged;
    };
    const Case cases[] = {
        {"both added", lines({"a", "b"}), lines({"a", "mine", "b"}), lines({"a", "b", "theirs"}),
         lines({"a", "mine", "b", "theirs"})},
        {"I deleted, they added", lines({"a", "b"}), lines({"b"}), lines({"x", "a", "b"}), lines({"x", "b"})},
        {"they deleted what I kept", lines({"a", "b"}), lines({"a", "b", "c"}), lines({"b"}), lines({"b", "c"})},
        {"added first, after a line gone", lines({"a", "b"}), lines({"new", "a", "z", "b"}), lines({"b"}),
         lines({"new", "b", "z"})},
        {"one of two alike deleted", lines({"a", "a"}), lines({"a"}), lines({"a", "a", "t"}), lines({"a", "t"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(applyEdits(c.loaded, c.edited, c.current), c.merged);
    }
}

} // namespace
} // namespace almanix
