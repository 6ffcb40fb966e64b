#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace almanix {

// The settings key under HKEY_LOCAL_MACHINE, and its twin under
// HKEY_CURRENT_USER for users who may not write the machine's.
inline constexpr const char* kSettingsKeyPath = "SOFTWARE\\Screen saver\\Almanix";
inline constexpr const char* kUserSettingsKeyPath = "Software\\Screen saver\\Almanix";
inline constexpr const char* kMoveSpeedName = "MoveSpeed";
inline constexpr const char* kDaysBeforeEventName = "DaysBeforeEvent";

inline constexpr std::int16_t kMoveSpeedLowest = 1;
inline constexpr std::int16_t kMoveSpeedHighest = 30;
inline constexpr std::int16_t kDaysBeforeEventLowest = 1;
inline constexpr std::int16_t kDaysBeforeEventHighest = 99;

struct Settings {
    // Pixels per move step of the saver's image, 1..30.
    std::int16_t moveSpeed = kMoveSpeedLowest;
    // Days ahead of its date that an event is announced, 1..99.
    std::int16_t daysBeforeEvent = kDaysBeforeEventLowest;
};

// Both settings as stored, within their ranges; what is missing or unreadable
// reads as the lowest value. Each is read from the user's key where that holds
// it, otherwise from the machine's.
Settings loadSettings(Registry& registry);

struct SettingWrite {
    RegistryWriteStatus status = RegistryWriteStatus::failed;
    std::string place; // the key it went to, or would have, as Registry::placeOf names it

    bool stored() const { return status == RegistryWriteStatus::written; }
};

// Stores a setting's text where loadSettings reads it from: the user's key when
// it holds the value, otherwise the machine's, or the user's when the machine's
// refuses this user.
SettingWrite storeSetting(Registry& registry, std::string_view valueName, std::string_view text);

// A sentence for the user: why a setting was not stored, and where settings live.
std::string failedWriteMessage(const SettingWrite& write);

// Stores the text as REG_SZ without a terminating NUL; an empty text is stored as " ".
RegistryWriteStatus writeRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                                      std::string_view valueName, std::string_view text);

// The value as text: REG_SZ as stored, REG_DWORD as "&h" and hexadecimal
// digits, any other type empty. Nothing when the key or value cannot be read.
std::optional<std::string> readRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName);

} // namespace almanix
