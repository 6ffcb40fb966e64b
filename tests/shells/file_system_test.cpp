// What each shell's file system must do with real files: one set of cases for
// both builds.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#ifdef _WIN32
#include "win32/win32_file_system.h"
using RealFileSystem = almanix::Win32FileSystem;
constexpr char kSeparator = '\\';
#else
#include <sys/stat.h>
#include <unistd.h>

#include "qt/posix_file_system.h"
using RealFileSystem = almanix::PosixFileSystem;
constexpr char kSeparator = '/';
#endif

namespace almanix {
namespace {

namespace fs = std::filesystem;

struct RealFiles : ::testing::Test {
    RealFileSystem files;
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() / ("almanix-files-" + std::to_string(std::random_device{}()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    // A path inside the test's folder; names use '/' and end with it for folders.
    std::string at(std::string name) const {
        std::replace(name.begin(), name.end(), '/', kSeparator);
        return folder.string() + kSeparator + name;
    }
    std::vector<std::string> names() {
        auto listed = files.listFiles(folder.string()).fileNames;
        std::sort(listed.begin(), listed.end());
        return listed;
    }
};

// The end-to-end runs write the event file, list and read pictures with names
// in any script, and make the settings' folder; here, the bytes kept, the
// failures and the removal.
TEST_F(RealFiles, ReplacesWholeOrLeavesTheOldFile) {
    const std::string path = at("events.dat");
    const std::string bytes("#a\r\n#caf\xE9\0\xFF\r\n", 14);
    EXPECT_FALSE(files.exists(path));
    EXPECT_EQ(files.readWholeFile(path), std::nullopt);

    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), "old"));
    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), bytes));
    EXPECT_EQ(files.readWholeFile(path), bytes);
    EXPECT_EQ(names(), std::vector<std::string>{"events.dat"});
    // Read in pieces, and what is not a file is told apart from what is missing.
    OpenedFile opened = files.openForReading(path);
    ASSERT_EQ(opened.status, FileOpening::opened);
    std::string read(4, '\0');
    EXPECT_EQ(opened.reader->read(read.data(), 4), 4u);
    EXPECT_EQ(read, "#a\r\n");
    opened.reader.reset();
    EXPECT_EQ(files.openForReading(at("none")).status, FileOpening::missing);
    EXPECT_EQ(files.openForReading(folder.string()).status, FileOpening::notAFile);
    // A new file dropped before its commit goes, and the old one stays.
    auto replacement = files.startReplacing(path, at("events.tmp"));
    ASSERT_NE(replacement, nullptr);
    EXPECT_TRUE(replacement->write("half"));
    EXPECT_EQ(names().size(), 2u);
    replacement.reset();
    EXPECT_EQ(names(), std::vector<std::string>{"events.dat"});
    EXPECT_EQ(files.readWholeFile(path), bytes);

    // The temporary file cannot be created inside a folder that does not exist.
    EXPECT_FALSE(files.replaceFile(path, at("missing/events.tmp"), "new"));
    EXPECT_EQ(files.readWholeFile(path), bytes);
    EXPECT_FALSE(files.exists(at("missing")));
    // A folder in the way of the rename.
    fs::create_directories(at("blocked/inside"));
    EXPECT_FALSE(files.replaceFile(at("blocked"), at("events.tmp"), "new"));
    EXPECT_EQ(names(), std::vector<std::string>{"events.dat"});

    EXPECT_TRUE(files.removeFile(path));
    EXPECT_FALSE(files.exists(path));
    EXPECT_TRUE(files.removeFile(path)); // gone already
}

TEST_F(RealFiles, ListsFilesOnlyAndReadsTheirFirstBytes) {
    ASSERT_TRUE(files.createFolders(at("pics/sub.gif")));
    ASSERT_TRUE(files.replaceFile(at("pics/b.gif"), at("pics/t"), "GIF89a and more"));
    EXPECT_EQ(files.listFiles(at("pics/")).fileNames, (std::vector<std::string>{"b.gif"}));
    EXPECT_EQ(files.readFirstBytes(at("pics/b.gif"), 10), "GIF89a and");
    EXPECT_EQ(files.readFirstBytes(at("pics/missing.gif"), 10), std::nullopt);
}

TEST_F(RealFiles, AFolderLockIsWaitedForNoLongerThanAsked) {
    using std::chrono::milliseconds;
    EXPECT_EQ(files.lockFolder(at("missing"), milliseconds(0)).status, FolderLockStatus::unavailable);
    auto first = files.lockFolder(folder.string(), milliseconds(0));
    ASSERT_EQ(first.status, FolderLockStatus::held);
    // Other threads with their own locks stand in for other copies.
    const auto began = std::chrono::steady_clock::now();
    std::thread([&] {
        EXPECT_EQ(RealFileSystem().lockFolder(folder.string(), milliseconds(150)).status, FolderLockStatus::busy);
    }).join();
    EXPECT_LT(std::chrono::steady_clock::now() - began, milliseconds(1000));
    std::atomic<bool> secondHeld = false;
    std::thread other([&] {
        secondHeld = RealFileSystem().lockFolder(folder.string(), milliseconds(5000)).status == FolderLockStatus::held;
    });
    std::this_thread::sleep_for(milliseconds(100));
    EXPECT_FALSE(secondHeld);
    first.lock.reset();
    other.join();
    EXPECT_TRUE(secondHeld);
}

#ifndef _WIN32
TEST_F(RealFiles, PosixKeepsPermissionsAndLinksFollowsLinksAndTellsAnUnreadableFolder) {
    const std::string path = at("events.dat");
    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), "old"));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(files.replaceFile(path, at("events.tmp"), "new"));
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    // A link stays a link: its target is replaced, through a temporary file beside it.
    fs::create_directories(at("real"));
    ASSERT_TRUE(files.replaceFile(at("real/target.dat"), at("real/t"), "old"));
    fs::create_symlink("real/target.dat", at("linked.dat"));
    ASSERT_TRUE(files.replaceFile(at("linked.dat"), at("linked.tmp"), "new"));
    EXPECT_TRUE(fs::is_symlink(at("linked.dat")));
    EXPECT_EQ(files.readWholeFile(at("real/target.dat")), "new");
    EXPECT_FALSE(files.exists(at("real/linked.tmp")));
    // A process that must end takes away the new file of a replacement under way:
    // its commit then fails and the old file stays.
    auto unfinished = files.startReplacing(path, at("events.tmp"));
    ASSERT_TRUE(unfinished && unfinished->write("half"));
    files.removeUnfinishedReplacements();
    EXPECT_FALSE(unfinished->commit());
    EXPECT_EQ(files.readWholeFile(path), "new");
    unfinished.reset();
    // A FIFO in a file's place is no file, and opening it does not wait for a writer.
    ::mkfifo(at("fifo").c_str(), 0600);
    EXPECT_EQ(files.openForReading(at("fifo")).status, FileOpening::notAFile);

    fs::create_directories(at("pics"));
    fs::create_symlink(path, at("pics/link.gif"));
    fs::create_symlink(at("nowhere.gif"), at("pics/broken.gif"));
    EXPECT_EQ(files.listFiles(at("pics/")).fileNames, (std::vector<std::string>{"link.gif"}));
    if (::geteuid() != 0) { // root reads everything
        fs::permissions(at("pics"), fs::perms::none);
        EXPECT_EQ(files.listFiles(at("pics/")).status, FolderStatus::unreadable);
    }
}
#endif

} // namespace
} // namespace almanix
