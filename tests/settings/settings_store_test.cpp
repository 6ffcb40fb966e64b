#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using testing::MemoryRegistry;

std::string dword(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

struct StoredValue {
    std::uint32_t type;
    std::string data;
};

TEST(SettingsStore, LoadsWithinTheRanges) {
    struct Case {
        const char* name;
        std::optional<StoredValue> moveSpeed;
        std::optional<StoredValue> daysBefore;
        std::int16_t expectedSpeed;
        std::int16_t expectedDays;
    };
    const auto text = [](const char* t) { return std::optional<StoredValue>({RegistryType::text, t}); };
    const Case cases[] = {
        {"nothing stored", std::nullopt, std::nullopt, 1, 1},
        {"zero and minus five", text("0"), text("-5"), 1, 1},
        {"above the ranges", text("31"), text("100"), 30, 99},
        {"the upper bounds", text("30"), text("99"), 30, 99},
        {"trailing letters and blanks", text("12abc"), text(" 7 "), 12, 7},
        {"halves to even", text("2.5"), text("3.5"), 2, 4},
        {"a single space", text(" "), text(" "), 1, 1},
        {"text with its NUL", StoredValue{RegistryType::text, std::string("12\0", 3)}, text("07"), 12, 7},
        {"REG_DWORD 20 and 261", StoredValue{RegistryType::dword, dword(20)},
         StoredValue{RegistryType::dword, dword(261)}, 20, 99},
        {"REG_DWORD beyond 16 bits", StoredValue{RegistryType::dword, dword(0xFFFFFFFF)},
         StoredValue{RegistryType::dword, dword(70000)}, 30, 99},
        {"another type reads empty", StoredValue{RegistryType::binary, "12"}, StoredValue{7, "12"}, 1, 1},
        {"larger than the buffer", text(""), StoredValue{RegistryType::text, std::string(1025, '5')}, 1, 1},
        {"huge number", text("99999999999999999999999"), text("-99999999999"), 30, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        if (c.moveSpeed)
            registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, c.moveSpeed->type,
                         c.moveSpeed->data);
        if (c.daysBefore)
            registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName, c.daysBefore->type,
                         c.daysBefore->data);
        const Settings settings = loadSettings(registry);
        EXPECT_EQ(settings.moveSpeed, c.expectedSpeed);
        EXPECT_EQ(settings.daysBeforeEvent, c.expectedDays);
    }
}

TEST(SettingsStore, WritesTextWithoutNulAndASpaceForEmptyText) {
    MemoryRegistry registry;
    EXPECT_TRUE(storeSetting(registry, kMoveSpeedName, "12").stored());
    EXPECT_TRUE(storeSetting(registry, kDaysBeforeEventName, "").stored());
    const auto speed = registry.get(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName);
    EXPECT_EQ(speed->data, "12");
    EXPECT_EQ(speed->type, RegistryType::text);
    EXPECT_EQ(registry.get(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName)->data, " ");
    EXPECT_EQ(loadSettings(registry).moveSpeed, 12);
    EXPECT_EQ(loadSettings(registry).daysBeforeEvent, 1);

    registry.failWrites = true;
    EXPECT_EQ(failedWriteMessage(storeSetting(registry, kMoveSpeedName, "5")),
              "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, where the settings live.");
    // A missing key or value reads as nothing.
    EXPECT_EQ(readRegistryText(registry, RegistryRoot::localMachine, "SOFTWARE\\Nothing", kMoveSpeedName), std::nullopt);
    EXPECT_EQ(readRegistryText(registry, RegistryRoot::localMachine, kSettingsKeyPath, "Missing"), std::nullopt);
}

// A standard user may query the machine's key but not write it.
TEST(SettingsStore, AUserWhoMayNotWriteTheMachinesKeyKeepsSettingsOfTheirOwn) {
    MemoryRegistry registry;
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

} // namespace
} // namespace almanix
