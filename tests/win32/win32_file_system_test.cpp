#include <gtest/gtest.h>

#include <algorithm>
#include <windows.h>

#include "events/event_file.h"
#include "events/upcoming_events.h"
#include "settings/settings_store.h"
#include "support/fakes.h"
#include "win32/win32_file_system.h"
#include "win32/win32_short_date.h"

namespace almanix {
namespace {

struct RealFiles : ::testing::Test {
    Win32FileSystem files;
    std::string folder;

    void SetUp() override {
        char temporary[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temporary);
        folder = std::string(temporary) + "almanix-test-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"\\events.dat", "\\events.tmp"}) DeleteFileA((folder + name).c_str());
        RemoveDirectoryA((folder + "\\blocked").c_str());
        RemoveDirectoryA(folder.c_str());
    }
};

TEST_F(RealFiles, ReplacesWholeAndKeepsEveryByte) {
    const std::string path = folder + "\\events.dat";
    const std::string bytes("#a\r\n#caf\xE9\0\xFF\r\n", 14);
    EXPECT_FALSE(files.canOpenForReading(path));
    ASSERT_TRUE(files.replaceFile(path, folder + "\\events.tmp", bytes));
    EXPECT_EQ(files.readWholeFile(path), bytes);
    ASSERT_TRUE(files.replaceFile(path, folder + "\\events.tmp", "new"));
    EXPECT_EQ(files.readWholeFile(path), "new");
    EXPECT_FALSE(files.exists(folder + "\\events.tmp"));
}

TEST_F(RealFiles, AFailedReplaceLeavesTheOldFile) {
    const std::string path = folder + "\\events.dat";
    ASSERT_TRUE(files.replaceFile(path, folder + "\\events.tmp", "old"));
    EXPECT_FALSE(files.replaceFile(path, folder + "\\missing\\events.tmp", "new"));
    EXPECT_EQ(files.readWholeFile(path), "old");
    CreateDirectoryA((folder + "\\blocked").c_str(), nullptr);
    EXPECT_FALSE(files.replaceFile(folder + "\\blocked", folder + "\\events.tmp", "new"));
    EXPECT_FALSE(files.exists(folder + "\\events.tmp"));
}

TEST_F(RealFiles, DueCheckRewritesTheRealFile) {
    Win32ShortDate shortDate;
    testing::FixedClock clock{{{2026, 12, 6}, 9, 30, 0}};
    EventStore store{files, {folder, '\\'}, shortDate, clock};
    const std::string today = shortDate.format({2026, 12, 6});
    const std::string yesterday = shortDate.format({2026, 12, 5});
    gDaysBeforeEvent = 1;
    ASSERT_TRUE(saveEventList(store, {yesterday + " Saturday Old", today + " Sunday Caf\xE9"}));
    EXPECT_EQ(checkUpcomingEvents(store), 1);
    EXPECT_EQ(gDueEventsText, "\r\n" + today + " Sunday Caf\xE9");
    EXPECT_EQ(files.readWholeFile(store.paths.eventFile()), "#" + today + " Sunday Caf\xE9\r\n");
}

TEST_F(RealFiles, ListsFilesOnlyAndReadsTheirFirstBytes) {
    const std::string pics = folder + "\\pics\\";
    ASSERT_TRUE(files.createFolders(pics + "sub.gif"));
    ASSERT_TRUE(files.replaceFile(pics + "b.gif", pics + "t", "GIF89a and more"));
    ASSERT_TRUE(files.replaceFile(pics + "A.jpg", pics + "t", ""));

    FolderListing listing = files.listFiles(pics);
    EXPECT_EQ(listing.status, FolderStatus::listed);
    std::sort(listing.fileNames.begin(), listing.fileNames.end());
    EXPECT_EQ(listing.fileNames, (std::vector<std::string>{"A.jpg", "b.gif"}));
    EXPECT_EQ(files.listFiles(folder + "\\missing\\").status, FolderStatus::missing);

    EXPECT_EQ(files.readFirstBytes(pics + "b.gif", 10), "GIF89a and");
    EXPECT_EQ(files.readFirstBytes(pics + "A.jpg", 10), "");
    EXPECT_EQ(files.readFirstBytes(pics + "missing.gif", 10), std::nullopt);

    for (const char* name : {"b.gif", "A.jpg"}) DeleteFileA((pics + name).c_str());
    RemoveDirectoryA((pics + "sub.gif").c_str());
    RemoveDirectoryA(pics.c_str());
}

} // namespace
} // namespace almanix
