#pragma once

#include <cstdint>
#include <string_view>

namespace almanix {

// The Windows services behind the screen-saver roles. Each build supplies what
// it has; the password and running-state services are looked up at first use.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // dwPlatformId of GetVersionExA: 1 for the 95 family, 2 for NT, 0 when unknown.
    virtual std::uint32_t platformId() = 0;

    // SPI_SETSCREENSAVERRUNNING with uiParam 1 or 0: on the 95 family it turns
    // the system keys (Ctrl+Alt+Del, Alt+Tab) off while a saver runs.
    virtual void setScreenSaverRunning(bool running) = 0;

    // PwdChangePasswordA; false when the service cannot be bound.
    virtual bool changePassword(std::string_view provider, std::int32_t ownerWindow) = 0;
};

// Whether the 95 family's screen-saver password guards the full-screen saver.
enum class SaverPassword { off, on };

enum class SystemKeys { disabled, enabled };

// The system keys are switched only where the password guards the saver.
inline void switchSystemKeys(PlatformServices& services, SaverPassword password, SystemKeys keys) {
    if (password == SaverPassword::on) services.setScreenSaverRunning(keys == SystemKeys::disabled);
}

} // namespace almanix
