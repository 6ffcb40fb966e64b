// The settings rules on the real registry of the Windows build.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/numeric_text.h"
#include "settings/settings_store.h"
#include "startup/platform_services.h"
#include "win32/win32_registry.h"

namespace almanix {
namespace {

constexpr const char* kTestKey = "SOFTWARE\\Screen saver\\Almanix tests";

struct RealRegistry : ::testing::Test {
    Win32Registry registry;

    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }

    void storeRaw(const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    std::string textOf(const char* name) {
        std::string text;
        getRegistryValue(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, name, text);
        return text;
    }
    std::int16_t numberOf(const char* name) { return toInt16(numericTextValue(textOf(name))); }
};

TEST_F(RealRegistry, TextValuesReadBackWithoutTheirNul) {
    struct Case {
        const char* written;
        const char* readBack;
        std::int16_t number;
    };
    const Case cases[] = {
        {"0", "0", 0}, {"31", "31", 31}, {"12abc", "12abc", 12}, {"2.5", "2.5", 2},
        {"-5", "-5", -5}, {" 7 ", " 7 ", 7}, {"", " ", 0}, {"caf\xE9", "caf\xE9", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_TRUE(setRegistryValue(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, "Value", c.written));
        EXPECT_EQ(textOf("Value"), c.readBack);
        EXPECT_EQ(numberOf("Value"), c.number);
    }
}

TEST_F(RealRegistry, OtherToolsValuesReadAsOnWindows) {
    storeRaw("WithNul", REG_SZ, std::string("12\0", 3));
    storeRaw("Dword20", REG_DWORD, std::string("\x14\0\0\0", 4));
    storeRaw("Dword261", REG_DWORD, std::string("\x05\x01\0\0", 4));
    storeRaw("Binary", REG_BINARY, "12");
    EXPECT_EQ(textOf("WithNul"), "12");
    EXPECT_EQ(textOf("Dword20"), "&h000014");
    EXPECT_EQ(numberOf("Dword20"), 20);
    EXPECT_EQ(textOf("Dword261"), "&h000105");
    EXPECT_EQ(numberOf("Dword261"), 261);
    EXPECT_EQ(textOf("Binary"), "");
    EXPECT_EQ(textOf("Missing"), "");
}

TEST_F(RealRegistry, PasswordFlagByteRules) {
    storeRaw("Dword1", REG_DWORD, std::string("\x01\0\0\0", 4));
    storeRaw("Dword0", REG_DWORD, std::string("\0\0\0\0", 4));
    storeRaw("Text1", REG_SZ, std::string("1\0", 2));
    EXPECT_EQ(readRegistryFlag(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, "Dword1"), 1);
    EXPECT_EQ(readRegistryFlag(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, "Dword0"), 0);
    EXPECT_EQ(readRegistryFlag(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, "Text1"), 49);
    EXPECT_EQ(readRegistryFlag(registry, HKEY_LOCAL_MACHINE_ROOT, kTestKey, "Missing"), 0);
    EXPECT_EQ(readRegistryFlag(registry, HKEY_LOCAL_MACHINE_ROOT, "SOFTWARE\\No such key", "Missing"), 0);
}

TEST_F(RealRegistry, LoadSettingsReadsTheProgramsOwnKey) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
    loadSettings(registry);
    EXPECT_EQ(gMoveSpeed, 1);
    EXPECT_EQ(gDaysBeforeEvent, 1);
    setRegistryValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, kMoveSpeedName, "45");
    setRegistryValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, kDaysBeforeEventName, "07");
    loadSettings(registry);
    EXPECT_EQ(gMoveSpeed, 30);
    EXPECT_EQ(gDaysBeforeEvent, 7);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
}

} // namespace
} // namespace almanix
