#include <gtest/gtest.h>

#include <sstream>

#include "common/calendar_date.h"
#include "events/date_pattern.h"
#include "events/due_events.h"
#include "events/event_file.h"
#include "events/text_encoding.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct DueCheck : ::testing::Test, testing::FakeSystem {
    // One pass over the text, three days ahead, on the clock's day.
    EventScan scan(std::string_view text) { return scanEvents(text, dayNumberOf(clock.moment.date), 3, shortDate); }
};

// Each row: the file, the due lines of its notice, and the file kept when it is not the same.
TEST_F(DueCheck, ClassifiesEachLineByItsDate) {
    struct Case {
        const char* name;
        std::string file, due;
        std::optional<std::string> kept = std::nullopt;
    };
    const std::string longItem = "12/7/2026 Monday " + std::string(1500, 'x');
    const Case cases[] = {
        {"the last due day", "#12/9/2026 Wednesday Soon\r\n", "\r\n12/9/2026 Wednesday Soon"},
        {"one day later", "#12/10/2026 Thursday Later\r\n", ""},
        {"two due in file order", "#12/8/2026 Tuesday B\r\n#1/1/2020 Wednesday Old\r\n#12/6/2026 Sunday A\r\n",
         "\r\n12/8/2026 Tuesday B\r\n12/6/2026 Sunday A", "#12/8/2026 Tuesday B\r\n#12/6/2026 Sunday A\r\n"},
        {"a # inside the content", "#12/7/2026 Monday Call #5, \"Bob\"\r\n", "\r\n12/7/2026 Monday Call #5, \"Bob\""},
        {"a last line without CR LF", "#12/20/2026 Sunday A\r\n#12/7/2026 Monday B", "\r\n12/7/2026 Monday B",
         "#12/20/2026 Sunday A\r\n#12/7/2026 Monday B\r\n"},
        {"another year", "#12/6/2027 Monday Next year\r\n#12/6/2025 Saturday Last year\r\n", "",
         "#12/6/2027 Monday Next year\r\n"},
        // An item over 1,024 characters, and dates over 32,767 days away on both sides.
        {"a long item", '#' + longItem + "\r\n", "\r\n" + longItem},
        {"far from today", "#1/1/2200 Wednesday Far ahead\r\n#1/1/1800 Wednesday Long ago\r\n", "",
         "#1/1/2200 Wednesday Far ahead\r\n"},
        {"LF line ends", "#12/6/2026 Sunday Now\n#12/5/2026 Saturday Gone\n", "\r\n12/6/2026 Sunday Now",
         "#12/6/2026 Sunday Now\r\n"},
        // Dates are read so that they agree with their day name, in the locale's order first.
        {"written day first", "#09/12/2026 Wednesday Soon\r\n", "\r\n09/12/2026 Wednesday Soon"},
        {"no reading agrees", "#12/5/2026 Friday x\r\n", ""},
        {"two readings agree", "#09/12/26 Wednesday x\r\n", ""},
        {"no day name", "#12/5/2026 Samstag x\r\n#12/07/2026 x\r\n", "\r\n12/07/2026 x", "#12/07/2026 x\r\n"},
        // Lines it never writes are kept where they stand and not announced (the due scan's fuzz target checks any).
        {"lines it never writes",
         "no marker\r\n\r\n#12/6/2026\r\n# 12/6/2026 Sunday x\r\n#12/6/2026 Sunday lone\rCR\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EventScan found = scan(c.file);
        EXPECT_EQ(found.dueCount, std::count(c.due.begin(), c.due.end(), '\n'));
        EXPECT_EQ(found.dueText, c.due);
        EXPECT_EQ(found.keptText, c.kept.value_or(c.file));
    }
}

TEST_F(DueCheck, AnUnreadableFileIsNeitherCountedNorWritten) {
    files.files[eventFile] = "#12/6/2026 Sunday Now\r\n";
    files.failingReads.insert(eventFile);
    const DueEvents due = checkDueEvents(events, 3);
    EXPECT_EQ(due.file, EventFileStatus::unreadable);
    EXPECT_EQ(due.count, 0);
    EXPECT_EQ(due.text, "");
    EXPECT_TRUE(files.writeLog.empty());
}

// Copies run side by side (one per monitor, and the setup): each read and
// rewrite of the file happens under the folder's lock, or the rewrite waits.
TEST_F(DueCheck, ReadsAndRewritesUnderTheFolderLock) {
    for (const bool lockAvailable : {true, false}) {
        SCOPED_TRACE(lockAvailable ? "locked" : "no lock to be had");
        const std::string file = "#12/5/2026 Saturday Old\r\n#12/6/2026 Sunday Now\r\n";
        files = {};
        files.lockAvailable = lockAvailable;
        files.files[eventFile] = file;
        EXPECT_EQ(checkDueEvents(events, 3).count, 1);
        EXPECT_EQ(files.readsLocked, std::vector<bool>{lockAvailable});
        EXPECT_EQ(files.writesLocked, lockAvailable ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_EQ(files.files[eventFile], lockAvailable ? "#12/6/2026 Sunday Now\r\n" : file);
        // The dialog's save waits for the lock too, but saves without one.
        EXPECT_TRUE(saveEventList(events, {EventLine{EventLineKind::event, "12/7/2026 Monday New"}}));
        EXPECT_EQ(files.writesLocked.back(), lockAvailable);
        EXPECT_EQ(files.locksHeld, 0);
    }
}

// The check reads and rewrites in pieces (the fake hands out 7 bytes a read),
// in the encoding the file came in; a UTF-8 mark hid the first event, and a
// UTF-16 file was split on its 0x0A bytes.
TEST_F(DueCheck, ChecksAndRewritesEveryEncodingPieceByPiece) {
    const std::string longContent(100 * 1024, 'x');
    const std::string due = "#12/6/2026 Sunday Now\r\n";
    const std::string expired = "#12/5/2026 Saturday Gone\r\n";
    using enum TextEncoding;
    // Each row: the file's text and encoding, the due lines, and the text kept.
    const std::tuple<std::string, TextEncoding, std::string, std::string> cases[] = {
        {due + expired, utf8WithMark, "\r\n12/6/2026 Sunday Now", due},
        {expired + due + "#12/7/2026 Monday Caf\xC3\xA9\r\n", utf16LittleEndian,
         "\r\n12/6/2026 Sunday Now\r\n12/7/2026 Monday Caf\xC3\xA9", due + "#12/7/2026 Monday Caf\xC3\xA9\r\n"},
        {due + expired, utf16BigEndian, "\r\n12/6/2026 Sunday Now", due},
        // Lines longer than the part that is read.
        {"#12/5/2026 Saturday " + longContent + "\r\n#12/6/2026 Sunday " + longContent + "\r\r\n", plain,
         "\r\n12/6/2026 Sunday " + longContent.substr(0, kLongestReadLine - 18),
         "#12/6/2026 Sunday " + longContent + "\r\r\n"},
    };
    for (const auto& [text, encoding, dueText, kept] : cases) {
        SCOPED_TRACE(static_cast<int>(encoding));
        files.files[eventFile] = encodeFile(text, encoding);
        files.files["C:\\Almanix\\events.tmp.Ab12Cd"] = "left by a killed copy";
        const DueEvents found = checkDueEvents(events, 3);
        EXPECT_EQ(found.count, std::count(dueText.begin(), dueText.end(), '\n'));
        EXPECT_EQ(found.text, dueText);
        EXPECT_EQ(files.files[eventFile], encodeFile(kept, encoding));
        EXPECT_EQ(files.files.count("C:\\Almanix\\events.tmp.Ab12Cd"), 0u);
    }
    // A stop asked for leaves the file as it was.
    std::stop_source stop;
    stop.request_stop();
    files.files[eventFile] = expired;
    checkDueEvents(events, 3, stop.get_token());
    EXPECT_EQ(files.files[eventFile], expired);
}

// Each row: a format, and 6 December 2026 as the pattern made of it writes and reads it (which shows its
// order and separator).
TEST(DatePattern, TakesOrderAndSeparatorFromTheLocaleFormat) {
    using Row = std::pair<const char*, const char*>;
    const Row formats[] = {
        {"%d.%m.%Y", "06.12.2026"}, {"%d/%m/%y", "06/12/2026"},
        {"%Y-%m-%d", "2026-12-06"}, {"%F", "2026-12-06"},
        {"%D", "12/06/2026"},       {"%e %B %Y", "06/12/2026"},
        {"nonsense", "12/06/2026"}, {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "2026/12/06"},
    };
    // Windows short-date pictures, as used where they hold blanks.
    const Row pictures[] = {{"yyyy. MM. dd.", "2026.12.06"}, {"d. M. yyyy", "06.12.2026"}, {"dd MMM yy", "06/12/2026"}};
    const auto check = [](const Row& row, DatePattern pattern) {
        EXPECT_EQ(pattern.format({2026, 12, 6}), row.second) << row.first;
        EXPECT_EQ(pattern.parse(row.second), (CalendarDate{2026, 12, 6})) << row.first;
    };
    for (const Row& row : formats) check(row, DatePattern::fromPosixFormat(row.first));
    for (const Row& row : pictures) check(row, DatePattern::fromWindowsPicture(row.first).value());
    EXPECT_FALSE(DatePattern::fromWindowsPicture("MM yyyy"));
}

TEST(DatePattern, ReadsWhatItWritesAndRefusesTheRest) {
    using enum DatePattern::Field;
    DatePattern pattern({month, day, year}, '/');
    EXPECT_EQ(pattern.parse("5/13/29"), (CalendarDate{2029, 5, 13}));
    EXPECT_EQ(pattern.parse("2/29/2024"), (CalendarDate{2024, 2, 29}));
    for (const char* text : {"2/29/2025", "12/6", "12/6/2026/1", "12-6-2026", "12/6/20266", "a/b/c", "", "12/ 6/2026"})
        EXPECT_EQ(pattern.parse(text), std::nullopt) << text;
}

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
