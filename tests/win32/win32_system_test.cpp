#include <windows.h>

#include <gtest/gtest.h>

#include "events/due_events.h"
#include "settings/settings_store.h"
#include "startup/password_services.h"
#include "support/zone_checks.h"
#include "win32/win32_registry.h"
#include "win32/win32_short_date.h"
#include "win32/win32_time_zones.h"

namespace almanix {
namespace {

// The end-to-end runs write and read its dates in the same locale as this test
// (the events dialog's lines, the saver's due check); here, what it refuses.
TEST(Win32ShortDate, RefusesWhatIsNoDate) {
    Win32ShortDate shortDate;
    EXPECT_EQ(shortDate.parse("not a date"), std::nullopt);
    EXPECT_EQ(shortDate.parse(""), std::nullopt);
}

// Whichever order the locale reads, 9 December written day first or month first stays due.
TEST(Win32ShortDate, AnEventWrittenInAnotherOrderIsReadByItsDayName) {
    Win32ShortDate shortDate;
    const std::string file = "#09/12/2026 Wednesday A\r\n#12/09/2026 Wednesday B\r\n";
    const EventScan scan = scanEvents(file, dayNumberOf({2026, 12, 6}), 3, shortDate);
    EXPECT_EQ(scan.dueCount, 2);
    EXPECT_EQ(scan.keptText, file);
}

TEST(Win32TimeZones, AgreeWithTheKnownZones) {
    Win32TimeZones zones;
    // Older systems' data (Wine's among them) predate Egypt's daylight saving
    // time of 2023, Mexico's end of it in 2022 and Chile's new dates of 2022.
    testing::expectAgreementWithKnownZones(zones, {"Africa/Cairo", "America/Mazatlan", "America/Santiago"});
    // The local zone as the system has it, whichever it is, in winter.
    TIME_ZONE_INFORMATION local{};
    GetTimeZoneInformation(&local);
    EXPECT_EQ(zones.localOffsetAt(dayNumberOf({2026, 1, 15}) * 86400), -(local.Bias + local.StandardBias) * 60);
}

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
    using Raw = std::optional<std::pair<DWORD, std::string>>;
    // Each row: the value's name, its type and bytes as another tool stored them (nothing: the text the program
    // wrote, when read back), what reads back, and the flag it reads as (nothing: Windows and Wine differ).
    const std::tuple<const char*, Raw, std::string, std::optional<std::string>, std::optional<std::int16_t>> cases[] = {
        {"Text", {}, "12abc", "12abc", '1'},
        {"Empty", {}, "", " ", {}},
        {"Latin1", {}, "caf\xE9", "caf\xE9", 'c'},
        {"WithNul", Raw{{REG_SZ, std::string("1\0", 2)}}, "", "1", '1'},
        {"Dword1", Raw{{REG_DWORD, std::string("\x01\0\0\0", 4)}}, "", "&h000001", 1},
        {"Dword261", Raw{{REG_DWORD, std::string("\x05\x01\0\0", 4)}}, "", "&h000105", 5},
        {"Binary", Raw{{REG_BINARY, "12"}}, "", "", '1'},
        {"Missing", {}, "", {}, 0},
    };
    for (const auto& [name, raw, written, readBack, flag] : cases) {
        SCOPED_TRACE(name);
        if (raw) {
            storeRaw(name, raw->first, raw->second);
        } else if (readBack) {
            EXPECT_EQ(writeRegistryText(registry, kRoot, kTestKey, name, written), RegistryWriteStatus::written);
        }
        EXPECT_EQ(readRegistryText(registry, kRoot, kTestKey, name), readBack);
        if (flag) {
            EXPECT_EQ(readRegistryFlag(registry, kRoot, kTestKey, name), *flag);
        }
    }
    EXPECT_EQ(readRegistryFlag(registry, kRoot, "SOFTWARE\\No such key", "Missing"), 0);
}

} // namespace
} // namespace almanix
