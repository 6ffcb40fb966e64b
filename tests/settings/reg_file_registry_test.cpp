#include <gtest/gtest.h>

#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using testing::MemoryFileSystem;

constexpr const char* kFolder = "/home/user/.config/almanix";
constexpr const char* kFile = "/home/user/.config/almanix/registry.reg";

struct RegFile : ::testing::Test {
    MemoryFileSystem files;
    RegFileRegistry registry{files, kFolder};

    void store(std::string text) { files.files[kFile] = std::move(text); }
    std::string settingsFile(const std::string& values) {
        return "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\n" + values;
    }
};

TEST_F(RegFile, TypedValuesLoadAsOnWindows) {
    struct Case {
        std::string values;
        std::int16_t speed;
        std::int16_t days;
    };
    const Case cases[] = {
        {"\"MoveSpeed\"=\"12\"\n\"DaysBeforeEvent\"=\"7\"\n", 12, 7},
        {"\"MoveSpeed\"=dword:00000014\n\"DaysBeforeEvent\"=dword:00000105\n", 20, 99},
        {"\"movespeed\"=\"31\"\n\"DAYSBEFOREEVENT\"=\"-5\"\n", 30, 1},
        {"\"MoveSpeed\"=hex(1):31,32,00\n", 12, 1},            // REG_SZ with its NUL
        {"\"MoveSpeed\"=hex:31,32\n", 1, 1},                   // binary reads as empty
        {"\"MoveSpeed\"=\"2.5\"\n\"MoveSpeed\"=\"9\"\n", 9, 1}, // the last line wins
        {"\"MoveSpeed\"=-\n", 1, 1},                           // deleted
        {"\"MoveSpeed\"=hex(1):31,\\\n  32\n", 12, 1},         // continued line
        {"\"MoveSpeed\"=\"12\n", 1, 1},                        // unterminated text: ignored
        {"\"MoveSpeed\"=dword:xyz\n\"DaysBeforeEvent\"=\"4\"\n", 1, 4},
        {"\"MoveSpeed\"=\"12abc\"\n\"DaysBeforeEvent\"=\" 7 \"\n", 12, 7}, // the leading number
        // Beyond 16 bits; longer than the read buffer, so missing.
        {"\"MoveSpeed\"=dword:ffffffff\n\"DaysBeforeEvent\"=\"" + std::string(1025, '5') + "\"\n", 30, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values);
        store(settingsFile(c.values));
        const Settings settings = loadSettings(registry);
        EXPECT_EQ(settings.moveSpeed, c.speed);
        EXPECT_EQ(settings.daysBeforeEvent, c.days);
    }
}

TEST_F(RegFile, MissingUnreadableOrMalformedFilesReadAsMissing) {
    EXPECT_EQ(loadSettings(registry).moveSpeed, 1);

    for (const char* text : {"", "MoveSpeed=12\n", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\n\"MoveSpeed\"=\"12\"\n"}) {
        SCOPED_TRACE(text);
        store(text);
        EXPECT_EQ(loadSettings(registry).moveSpeed, 1);
    }
    store(settingsFile("\"MoveSpeed\"=\"12\"\n"));
    files.unreadable.insert(kFile);
    EXPECT_EQ(loadSettings(registry).moveSpeed, 1);
}

TEST_F(RegFile, WritingBeginsOrKeepsTheFileAndReadsBack) {
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]";
    const std::string fresh = "REGEDIT4\n\n" + key + "\n\"MoveSpeed\"=\"12\"\n";
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::string after;
    };
    const Case cases[] = {
        {"missing", std::nullopt, fresh},
        {"empty", "", fresh},
        {"blank", "\r\n", fresh},
        {"a first line of 16 characters", "REGEDIT4        \n", "REGEDIT4        \n\n" + key + "\n\"MoveSpeed\"=\"12\"\n"},
        {"version 5", "Windows Registry Editor Version 5.00\r\n\r\n",
         "Windows Registry Editor Version 5.00\r\n\r\n" + key + "\r\n\"MoveSpeed\"=\"12\"\r\n"},
        {"the key ends in a continuation", "REGEDIT4\n" + key + "\n\"Other\"=hex:31,\\",
         "REGEDIT4\n" + key + "\n\"MoveSpeed\"=\"12\"\n\"Other\"=hex:31,\\\n"},
        {"another key ends in a continuation", "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\"Other\"=hex:31\\",
         "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\n" + key + "\n\"MoveSpeed\"=\"12\"\n\"Other\"=hex:31\\\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files.files.erase(kFile);
        if (c.before) store(*c.before);
        EXPECT_TRUE(storeSetting(registry, kMoveSpeedName, "12").stored());
        EXPECT_EQ(files.files[kFile], c.after);
        EXPECT_EQ(loadSettings(registry).moveSpeed, 12);
        EXPECT_EQ(readRegistryText(registry, RegistryRoot::currentUser, "Other", "Other"), std::nullopt);
    }
}

TEST_F(RegFile, WritingKeepsEveryOtherLine) {
    const std::string before =
        "REGEDIT4\r\n\r\n; kept by hand\r\n[HKEY_CURRENT_USER\\Other]\r\n\"MoveSpeed\"=\"3\"\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\r\n\"MoveSpeed\"=hex(1):31,\\\r\n  32\r\n"
        "\"Other\"=dword:00000001\r\n\r\n[HKEY_LOCAL_MACHINE\\Next]\r\n@=\"x\"\r\n";
    store(before);
    EXPECT_TRUE(storeSetting(registry, kMoveSpeedName, "20").stored());
    EXPECT_TRUE(storeSetting(registry, kDaysBeforeEventName, "a\"b\\c").stored());
    EXPECT_EQ(files.files[kFile],
              "REGEDIT4\r\n\r\n; kept by hand\r\n[HKEY_CURRENT_USER\\Other]\r\n\"MoveSpeed\"=\"3\"\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]\r\n\"MoveSpeed\"=\"20\"\r\n"
              "\"Other\"=dword:00000001\r\n\"DaysBeforeEvent\"=\"a\\\"b\\\\c\"\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Next]\r\n@=\"x\"\r\n");
    EXPECT_EQ(readRegistryText(registry, RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName), "a\"b\\c");
}

TEST_F(RegFile, AFileItCannotReadIsNeverOverwrittenAndTheUserIsToldWhere) {
    store("not a registry file\n");
    const SettingWrite write = storeSetting(registry, kMoveSpeedName, "12");
    EXPECT_EQ(write.status, RegistryWriteStatus::storeUnreadable);
    EXPECT_EQ(failedWriteMessage(write), std::string("The setting was not saved: the file ") + kFile +
                                             ", where the settings live, could not be read or understood, so it "
                                             "was left as it is.");
    EXPECT_EQ(files.files[kFile], "not a registry file\n");

    store(settingsFile(""));
    files.unreadable.insert(kFile);
    EXPECT_EQ(storeSetting(registry, kMoveSpeedName, "12").status, RegistryWriteStatus::storeUnreadable);
    EXPECT_TRUE(files.writeLog.empty());
}

} // namespace
} // namespace almanix
