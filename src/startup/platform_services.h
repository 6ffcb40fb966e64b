#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/message_box.h"
#include "settings/registry.h"

namespace almanix {

// The Windows services behind the screen-saver roles. Each build supplies what
// it has; the password and running-state services are looked up at first use.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // dwPlatformId of GetVersionExA: 1 for the 95 family, 2 for NT, 0 when unknown.
    virtual std::uint32_t platformId() = 0;

    // SPI_SETSCREENSAVERRUNNING with uiParam 1 or 0.
    virtual void setScreenSaverRunning(bool running) = 0;

    // PwdChangePasswordA; false when the service cannot be bound.
    virtual bool changePassword(std::string_view provider, std::int32_t ownerWindow) = 0;
};

std::string getWindowsVersion(PlatformServices& services);

// The first data byte of a value read with the exact byte rules of the password
// flag: REG_DWORD 1 reads 1, the text "1" reads 49, a missing value reads 0.
std::int16_t readRegistryFlag(Registry& registry, RegistryRoot root, std::string_view keyPath,
                              std::string_view valueName);

// "disable" tells the system a screen saver runs, "enable" that it stopped; acts
// only on the 95 family with the password on.
void switchSystemKeys(PlatformServices& services, std::string_view word);

// Runs the password change for the window that the argument text names.
void changePassword(PlatformServices& services, MessageBoxes& messages, std::string_view argumentText);

} // namespace almanix
