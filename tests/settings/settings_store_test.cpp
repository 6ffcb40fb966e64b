#include <gtest/gtest.h>

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

} // namespace
} // namespace almanix
