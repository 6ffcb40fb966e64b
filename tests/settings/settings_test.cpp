#include <gtest/gtest.h>

#include "settings/calendar_sources.h"
#include "settings/numeric_text.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

namespace almanix {
namespace {

// A standard user may query the machine's key but not write it.
TEST(SettingsStore, AUserWhoMayNotWriteTheMachinesKeyKeepsSettingsOfTheirOwn) {
    testing::MemoryRegistry registry;
    registry.denyMachineWrites = true;
    registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "12");
    registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName, RegistryType::text, "5");
    EXPECT_EQ(loadSettings(registry).moveSpeed, 12);

    const SettingWrite write = storeSetting(registry, kMoveSpeedName, "20");
    EXPECT_TRUE(write.stored());
    EXPECT_EQ(write.place, "HKCU\\Software\\Screen saver\\Almanix");
    EXPECT_EQ(registry.get(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName)->data, "12");
    EXPECT_EQ(loadSettings(registry).moveSpeed, 20);
    EXPECT_EQ(loadSettings(registry).daysBeforeEvent, 5);

    // The user's own value stays the one they see, whoever writes it next.
    registry.denyMachineWrites = false;
    EXPECT_TRUE(storeSetting(registry, kMoveSpeedName, "25").stored());
    EXPECT_EQ(registry.get(RegistryRoot::currentUser, kUserSettingsKeyPath, kMoveSpeedName)->data, "25");
    EXPECT_EQ(loadSettings(registry).moveSpeed, 25);
}

// Each row stores a list over the one before it and reads it back, from the
// in-memory registry and from the .reg file, where removals rewrite the file.
TEST(CalendarSources, AListReplacesTheOneBeforeItWholeOrNotAtAll) {
    using Sources = std::vector<std::string>;
    enum class Fault { none, machineDenied, writesFail };
    // Each row: the list stored, the fault, the list read when the store fails, and where it went.
    const std::tuple<Sources, Fault, Sources, const char*> cases[] = {
        {{"C:\\cal\\work.ics", "https://example.org/a b.ics", "D:\\vdir"}, Fault::none, {}, "HKLM"},
        {{"one"}, Fault::none, {}, "HKLM"}, // the second and third values go
        {{"x", "y"}, Fault::writesFail, {"one"}, "HKLM"}, // the old list stays
        {{"mine"}, Fault::machineDenied, {}, "HKCU"}, // the user's own key, from now on
        {{}, Fault::machineDenied, {}, "HKCU"}, // and empty there, the machine's list hidden
    };
    testing::MemoryRegistry memory;
    testing::MemoryFileSystem files;
    RegFileRegistry file(files, "/home/user/.config/almanix");
    for (Registry* registry : {static_cast<Registry*>(&memory), static_cast<Registry*>(&file)}) {
        for (const auto& [stored, fault, read, place] : cases) {
            SCOPED_TRACE(stored.empty() ? "empty" : stored.front());
            memory.failWrites = files.failWrites = fault == Fault::writesFail;
            memory.denyMachineWrites = fault == Fault::machineDenied;
            if (registry == &file && fault == Fault::machineDenied) continue; // a file has no such rights
            const SettingWrite write = storeCalendarSources(*registry, stored);
            EXPECT_EQ(write.stored(), fault != Fault::writesFail);
            if (registry == &memory) {
                EXPECT_EQ(write.place.substr(0, 4), place);
            }
            EXPECT_EQ(loadCalendarSources(*registry), fault == Fault::writesFail ? read : stored);
        }
    }
    // A gap ends the list; what follows it is no source.
    memory.denyMachineWrites = false;
    memory.keys.clear();
    for (const char* name : {"Calendar1", "Calendar3"})
        memory.set(RegistryRoot::localMachine, kSettingsKeyPath, name, RegistryType::text, name);
    EXPECT_EQ(loadCalendarSources(memory), std::vector<std::string>{"Calendar1"});
}

TEST(NumericText, ReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},       {" ", 0},      {"abc", 0},    {"12", 12},        {"  7  ", 7},
        {"12abc", 12}, {"-5", -5},    {"+5", 5},     {"2.5", 2.5},      {"1.2.3", 1.2},
        {".5", 0.5},   {"-.5", -0.5}, {".", 0},      {"-", 0},          {"+-5", 0},
        {"1e3", 1},    {"&h14", 20},  {"&H14", 20},  {"&h000105", 261}, {"&hFFFFFFFF", 4294967295.0},
        {"&h", 0},     {"&hxyz", 0},  {" &h1A", 26}, {"07", 7},         {"1 2", 1},
        {"\t3", 3},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericTextValue(text), value) << text;
}

// Halves round to even, as when a setting loads; the registry file's table
// takes stored numbers beyond 16 bits to the nearest limit.
TEST(NumericText, AWholeNumberIsTheTextsWholeContent) {
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"07", 7},    {"-3", -3},           {"  12\t", 12},  {"2.5", 2},     {"3.5", 4},
        {"&h1F", 31}, {"-32768.5", -32768}, {"32767.5", {}}, {"-32769", {}}, {"", {}},
        {"ab", {}},   {"1a", {}},           {"1 2", {}},     {".", {}},      {"1.2.3", {}},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(wholeNumberOf(text), number) << text;
}

constexpr const char* kFolder = "/home/user/.config/almanix";
constexpr const char* kFile = "/home/user/.config/almanix/registry.reg";

struct RegFile : ::testing::Test {
    testing::MemoryFileSystem files;
    RegFileRegistry registry{files, kFolder};
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Screen saver\\Almanix]";

    void store(std::string text) { files.files[kFile] = std::move(text); }
    std::string settingsFile(const std::string& values) { return "REGEDIT4\n\n" + key + "\n" + values; }
};

TEST_F(RegFile, TypedValuesLoadAsOnWindows) {
    // Each row: the values, then the speed and the days before they give.
    const std::tuple<std::string, std::int16_t, std::int16_t> cases[] = {
        {"\"MoveSpeed\"=dword:00000014\n\"DaysBeforeEvent\"=dword:00000105\n", 20, 99},
        {"\"movespeed\"=\"31\"\n\"DAYSBEFOREEVENT\"=\"-40000\"\n", 30, 1},
        {"\"MoveSpeed\"=hex(1):31,32,00\n", 12, 1}, // REG_SZ with its NUL
        {"\"MoveSpeed\"=hex:31,32\n", 1, 1}, // binary reads as empty
        {"\"MoveSpeed\"=\"2.5\"\n\"MoveSpeed\"=\"9\"\n", 9, 1}, // the last line wins
        {"\"MoveSpeed\"=-\n", 1, 1}, // deleted
        {"\"MoveSpeed\"=hex(1):31,\\\n  32\n", 12, 1}, // continued line
        {"\"MoveSpeed\"=\"12\n", 1, 1}, // unterminated text: ignored
        {"\"MoveSpeed\"=dword:xyz\n\"DaysBeforeEvent\"=\"4\"\n", 1, 4},
        {"\"MoveSpeed\"=\"12abc\"\n\"DaysBeforeEvent\"=\" 7 \"\n", 12, 7}, // the leading number
        // Beyond 16 bits; longer than the read buffer, so missing.
        {"\"MoveSpeed\"=dword:ffffffff\n\"DaysBeforeEvent\"=\"" + std::string(1025, '5') + "\"\n", 30, 1},
    };
    for (const auto& [values, speed, days] : cases) {
        store(settingsFile(values));
        const Settings settings = loadSettings(registry);
        EXPECT_EQ(std::pair(settings.moveSpeed, settings.daysBeforeEvent), std::pair(speed, days)) << values;
    }
}

// The registry file's fuzz target reads back what is written to each of these.
TEST_F(RegFile, WritingBeginsOrKeepsTheFile) {
    const std::string fresh = settingsFile("\"MoveSpeed\"=\"12\"\n");
    const std::string head =
        "REGEDIT4\r\n\r\n; kept by hand\r\n[HKEY_CURRENT_USER\\Other]\r\n\"MoveSpeed\"=\"3\"\r\n\r\n" + key + "\r\n";
    const std::string tail = "\"Other\"=dword:00000001\r\n\r\n[HKEY_LOCAL_MACHINE\\Next]\r\n@=\"x\"\r\n";
    // Each row: what the file held, and what it holds after MoveSpeed is stored.
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"empty", "", fresh},
        {"blank", "\r\n", fresh},
        {"a first line of 16 characters", "REGEDIT4        \n",
         "REGEDIT4        \n\n" + key + "\n\"MoveSpeed\"=\"12\"\n"},
        {"version 5", "Windows Registry Editor Version 5.00\r\n\r\n",
         "Windows Registry Editor Version 5.00\r\n\r\n" + key + "\r\n\"MoveSpeed\"=\"12\"\r\n"},
        {"the key ends in a continuation", "REGEDIT4\n" + key + "\n\"Other\"=hex:31,\\",
         "REGEDIT4\n" + key + "\n\"MoveSpeed\"=\"12\"\n\"Other\"=hex:31,\\\n"},
        {"another key ends in a continuation", "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\"Other\"=hex:31\\",
         "REGEDIT4\n[HKEY_CURRENT_USER\\Other]\n\n" + key + "\n\"MoveSpeed\"=\"12\"\n\"Other\"=hex:31\\\n"},
        // A continued value is replaced whole; comments, other keys and values stay.
        {"other lines", head + "\"MoveSpeed\"=hex(1):31,\\\r\n  32\r\n" + tail,
         head + "\"MoveSpeed\"=\"12\"\r\n" + tail},
    };
    for (const auto& [name, before, after] : cases) {
        SCOPED_TRACE(name);
        store(before);
        EXPECT_TRUE(storeSetting(registry, kMoveSpeedName, "12").stored());
        EXPECT_EQ(files.files[kFile], after);
    }
}

// A file it cannot read or understand holds no settings and is never
// overwritten; the user is told where it is.
TEST_F(RegFile, AFileItCannotReadOrUnderstandIsNeverOverwritten) {
    EXPECT_EQ(loadSettings(registry).moveSpeed, 1); // no file yet
    const std::pair<std::string, bool> cases[] = {
        {"MoveSpeed=12\n", false},
        {key + "\n\"MoveSpeed\"=\"12\"\n", false},
        {settingsFile("\"MoveSpeed\"=\"12\"\n"), true}, // cannot be opened
    };
    for (const auto& [text, unreadable] : cases) {
        SCOPED_TRACE(text);
        store(text);
        if (unreadable) files.unreadable.insert(kFile);
        EXPECT_EQ(loadSettings(registry).moveSpeed, 1);
        const SettingWrite write = storeSetting(registry, kMoveSpeedName, "12");
        EXPECT_EQ(write.status, RegistryWriteStatus::storeUnreadable);
        EXPECT_EQ(failedWriteMessage(write), std::string("The setting was not saved: the file ") + kFile +
                                                 ", where the settings live, could not be read or understood, so it "
                                                 "was left as it is.");
        EXPECT_EQ(files.files[kFile], text);
    }
    EXPECT_TRUE(files.writeLog.empty());
}

} // namespace
} // namespace almanix
