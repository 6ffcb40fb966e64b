#include <gtest/gtest.h>

#include "events/date_pattern.h"
#include "events/due_events.h"
#include "support/fakes.h"

namespace almanix {
namespace {

struct DueCheck : ::testing::Test, testing::FakeSystem {
    // One pass over the text, three days ahead, on the clock's day.
    EventScan scan(std::string_view text) { return scanEvents(text, dayNumberOf(clock.moment.date), 3, shortDate); }
};

TEST_F(DueCheck, ClassifiesEachLineByItsDate) {
    struct Case {
        const char* name;
        std::string file;
        int result;
        std::string due;
        std::string kept;
    };
    const std::string longItem = "12/7/2026 Monday " + std::string(1500, 'x');
    const Case cases[] = {
        {"the last due day", "#12/9/2026 Wednesday Soon\r\n", 1, "\r\n12/9/2026 Wednesday Soon",
         "#12/9/2026 Wednesday Soon\r\n"},
        {"one day later", "#12/10/2026 Thursday Later\r\n", 0, "", "#12/10/2026 Thursday Later\r\n"},
        {"two due in file order", "#12/8/2026 Tuesday B\r\n#1/1/2020 Wednesday Old\r\n#12/6/2026 Sunday A\r\n", 2,
         "\r\n12/8/2026 Tuesday B\r\n12/6/2026 Sunday A", "#12/8/2026 Tuesday B\r\n#12/6/2026 Sunday A\r\n"},
        {"a # inside the content", "#12/7/2026 Monday Call #5, \"Bob\"\r\n", 1, "\r\n12/7/2026 Monday Call #5, \"Bob\"",
         "#12/7/2026 Monday Call #5, \"Bob\"\r\n"},
        {"a last line without CR LF", "#12/20/2026 Sunday A\r\n#12/7/2026 Monday B", 1, "\r\n12/7/2026 Monday B",
         "#12/20/2026 Sunday A\r\n#12/7/2026 Monday B\r\n"},
        {"another year", "#12/6/2027 Monday Next year\r\n#12/6/2025 Saturday Last year\r\n", 0, "",
         "#12/6/2027 Monday Next year\r\n"},
        // An item over 1,024 characters, and dates over 32,767 days away on both sides.
        {"a long item", '#' + longItem + "\r\n", 1, "\r\n" + longItem, '#' + longItem + "\r\n"},
        {"far from today", "#1/1/2200 Wednesday Far ahead\r\n#1/1/1800 Wednesday Long ago\r\n", 0, "",
         "#1/1/2200 Wednesday Far ahead\r\n"},
        {"LF line ends", "#12/6/2026 Sunday Now\n#12/5/2026 Saturday Gone\n", 1, "\r\n12/6/2026 Sunday Now",
         "#12/6/2026 Sunday Now\r\n"},
        // Dates are read so that they agree with their day name, in the locale's order first.
        {"written day first", "#09/12/2026 Wednesday Soon\r\n", 1, "\r\n09/12/2026 Wednesday Soon",
         "#09/12/2026 Wednesday Soon\r\n"},
        {"no reading agrees", "#12/5/2026 Friday x\r\n", 0, "", "#12/5/2026 Friday x\r\n"},
        {"two readings agree", "#09/12/26 Wednesday x\r\n", 0, "", "#09/12/26 Wednesday x\r\n"},
        {"no day name", "#12/5/2026 Samstag x\r\n#12/07/2026 x\r\n", 1, "\r\n12/07/2026 x", "#12/07/2026 x\r\n"},
        // Lines it never writes are kept where they stand and not announced (the due scan's fuzz target checks any).
        {"lines it never writes",
         "no marker\r\n\r\n#12/6/2026\r\n# 12/6/2026 Sunday x\r\n#12/6/2026 Sunday lone\rCR\r\n", 0, "",
         "no marker\r\n\r\n#12/6/2026\r\n# 12/6/2026 Sunday x\r\n#12/6/2026 Sunday lone\rCR\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EventScan found = scan(c.file);
        EXPECT_EQ(found.dueCount, c.result);
        EXPECT_EQ(found.dueText, c.due);
        EXPECT_EQ(found.keptText, c.kept);
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

} // namespace
} // namespace almanix
