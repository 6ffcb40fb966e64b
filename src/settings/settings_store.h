#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace almanix {

inline constexpr const char* kSettingsKeyPath = "SOFTWARE\\Screen saver\\Almanix";
inline constexpr const char* kMoveSpeedName = "MoveSpeed";
inline constexpr const char* kDaysBeforeEventName = "DaysBeforeEvent";

inline constexpr std::int16_t kMoveSpeedLowest = 1;
inline constexpr std::int16_t kMoveSpeedHighest = 30;
inline constexpr std::int16_t kDaysBeforeEventLowest = 1;
inline constexpr std::int16_t kDaysBeforeEventHighest = 99;

// Pixels per move step of the saver's image; 1..30 once loadSettings has run.
extern std::int16_t gMoveSpeed;
// Days ahead of its date that an event is announced; 1..99 once loadSettings has run.
extern std::int16_t gDaysBeforeEvent;

// Reads both settings into gMoveSpeed and gDaysBeforeEvent, within their ranges.
void loadSettings(Registry& registry);

// Stores valueText as REG_SZ without a terminating NUL; an empty text is stored as " ".
bool setRegistryValue(Registry& registry, RegistryRoot rootKey, std::string_view keyPath,
                      std::string_view valueName, std::string_view valueText);

// valueText receives the value as text: REG_SZ as stored, REG_DWORD as "&h" and
// hexadecimal digits. False, with valueText empty, when the key or value cannot be read.
bool getRegistryValue(Registry& registry, RegistryRoot rootKey, std::string_view keyPath,
                      std::string_view valueName, std::string& valueText);

} // namespace almanix
