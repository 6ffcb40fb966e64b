#pragma once

#include <cstdint>
#include <string_view>

#include "common/message_box.h"
#include "common/platform_services.h"
#include "settings/registry.h"

namespace almanix {

enum class WindowsFamily { windows95, nt, unknown };

WindowsFamily windowsFamilyOf(PlatformServices& services);

// The first data byte of a value read with the exact byte rules of the password
// flag: REG_DWORD 1 reads 1, the text "1" reads 49, a missing value reads 0.
std::int16_t readRegistryFlag(Registry& registry, RegistryRoot root, std::string_view keyPath,
                              std::string_view valueName);

// Whether the screen-saver password guards a full-screen start: only on the 95
// family, with ScreenSaveUsePassword reading 1.
SaverPassword saverPasswordOf(PlatformServices& services, Registry& registry);

// Runs the password change for the window that the argument text names; a
// failure is told in a box titled "PW".
void changePassword(PlatformServices& services, MessageBoxes& messages, std::string_view argumentText);

} // namespace almanix
