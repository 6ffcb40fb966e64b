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

} // namespace
} // namespace almanix
