// The settings rules on the real registry of the Windows build.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/settings_store.h"
#include "startup/password_services.h"
#include "win32/win32_registry.h"

namespace almanix {
namespace {

constexpr const char* kTestKey = "SOFTWARE\\Screen saver\\Almanix tests";
constexpr RegistryRoot kRoot = RegistryRoot::localMachine;

struct RealRegistry : ::testing::Test {
    Win32Registry registry;

    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey); }

    // Stores a value as another tool would, bypassing the program's own writing.
    void storeRaw(const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
};

TEST_F(RealRegistry, ValuesReadBackAsTheProgramOrAnotherToolWroteThem) {
    struct Case {
        const char* name;
        std::optional<std::pair<DWORD, std::string>> raw; // nothing: written by the program, when read back
        std::string written;
        std::optional<std::string> readBack;
        std::optional<std::int16_t> flag; // nothing: Windows and Wine differ
    };
    const Case cases[] = {
        {"Text", std::nullopt, "12abc", "12abc", '1'},
        {"Empty", std::nullopt, "", " ", std::nullopt},
        {"Latin1", std::nullopt, "caf\xE9", "caf\xE9", 'c'},
        {"WithNul", std::pair<DWORD, std::string>{REG_SZ, std::string("1\0", 2)}, "", "1", '1'},
        {"Dword1", std::pair<DWORD, std::string>{REG_DWORD, std::string("\x01\0\0\0", 4)}, "", "&h000001", 1},
        {"Dword261", std::pair<DWORD, std::string>{REG_DWORD, std::string("\x05\x01\0\0", 4)}, "", "&h000105", 5},
        {"Binary", std::pair<DWORD, std::string>{REG_BINARY, "12"}, "", "", '1'},
        {"Missing", std::nullopt, "", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.raw) {
            storeRaw(c.name, c.raw->first, c.raw->second);
        } else if (c.readBack) {
            EXPECT_EQ(writeRegistryText(registry, kRoot, kTestKey, c.name, c.written), RegistryWriteStatus::written);
        }
        EXPECT_EQ(readRegistryText(registry, kRoot, kTestKey, c.name), c.readBack);
        if (c.flag) {
            EXPECT_EQ(readRegistryFlag(registry, kRoot, kTestKey, c.name), *c.flag);
        }
    }
    EXPECT_EQ(readRegistryFlag(registry, kRoot, "SOFTWARE\\No such key", "Missing"), 0);
}

} // namespace
} // namespace almanix
