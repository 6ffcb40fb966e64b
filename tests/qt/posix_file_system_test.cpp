#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "qt/posix_file_system.h"

namespace almanix {
namespace {

struct PosixFiles : ::testing::Test {
    std::filesystem::path folder;
    PosixFileSystem files;

    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("almanix-files-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder);
    }
    std::string at(const char* name) const { return (folder / name).string(); }
};

TEST_F(PosixFiles, ReplacesWholeAndKeepsBytesAndPermissions) {
    const std::string path = at("events.dat");
    const std::string bytes("#a\r\n#b\0\xFF\r\n", 11);
    EXPECT_FALSE(files.exists(path));
    EXPECT_FALSE(files.canOpenForReading(path));
    EXPECT_EQ(files.readWholeFile(path), std::nullopt);

    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), bytes));
    EXPECT_EQ(files.readWholeFile(path), bytes);
    EXPECT_FALSE(files.exists(at("events.tmp")));

    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), "new"));
    EXPECT_EQ(files.readWholeFile(path), "new");
    struct stat status{};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(PosixFiles, AFailedReplaceLeavesTheOldFile) {
    const std::string path = at("events.dat");
    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), "old"));
    // The temporary file cannot be created inside a folder that does not exist.
    EXPECT_FALSE(files.replaceFile(path, at("missing/events.tmp"), "new"));
    EXPECT_EQ(files.readWholeFile(path), "old");
    // A folder in the way of the rename.
    std::filesystem::create_directories(at("blocked"));
    std::filesystem::create_directories(at("blocked/inside"));
    EXPECT_FALSE(files.replaceFile(at("blocked"), at("events.tmp"), "new"));
    EXPECT_FALSE(files.exists(at("events.tmp")));
}

TEST_F(PosixFiles, MissingFolderIsNeverCreatedByAWrite) {
    EXPECT_FALSE(files.replaceFile(at("nowhere/events.dat"), at("nowhere/events.tmp"), "x"));
    EXPECT_FALSE(files.exists(at("nowhere")));
    EXPECT_TRUE(files.createFolders(at("made/deep")));
    EXPECT_TRUE(std::filesystem::is_directory(at("made/deep")));
}

TEST_F(PosixFiles, ListsFilesOnlyAndTellsAMissingFolderFromAnUnreadableOne) {
    std::filesystem::create_directories(at("pics/sub.gif"));
    ASSERT_TRUE(files.replaceFile(at("pics/b.gif"), at("pics/t"), "GIF89a and more"));
    ASSERT_TRUE(files.replaceFile(at("pics/A.jpg"), at("pics/t"), ""));
    std::filesystem::create_symlink(at("pics/b.gif"), at("pics/link.gif"));
    std::filesystem::create_symlink(at("nowhere.gif"), at("pics/broken.gif"));

    FolderListing listing = files.listFiles(at("pics/"));
    EXPECT_EQ(listing.status, FolderStatus::listed);
    std::sort(listing.fileNames.begin(), listing.fileNames.end());
    EXPECT_EQ(listing.fileNames, (std::vector<std::string>{"A.jpg", "b.gif", "link.gif"}));

    EXPECT_EQ(files.listFiles(at("missing/")).status, FolderStatus::missing);
    EXPECT_EQ(files.listFiles(at("pics/b.gif")).status, FolderStatus::unreadable);
    if (::geteuid() != 0) { // root reads everything
        std::filesystem::permissions(at("pics"), std::filesystem::perms::none);
        EXPECT_EQ(files.listFiles(at("pics/")).status, FolderStatus::unreadable);
        std::filesystem::permissions(at("pics"), std::filesystem::perms::owner_all);
    }

    EXPECT_EQ(files.readFirstBytes(at("pics/b.gif"), 10), "GIF89a and");
    EXPECT_EQ(files.readFirstBytes(at("pics/A.jpg"), 10), "");
    EXPECT_EQ(files.readFirstBytes(at("pics/missing.gif"), 10), std::nullopt);
}

} // namespace
} // namespace almanix
