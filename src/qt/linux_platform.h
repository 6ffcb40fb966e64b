#pragma once

#include <memory>
#include <string>

#include "common/data_paths.h"
#include "events/date_pattern.h"
#include "startup/platform_services.h"

class QApplication;

namespace almanix {

// Linux has no Windows version, no screen-saver password and no running state.
class LinuxPlatformServices final : public PlatformServices {
public:
    std::uint32_t platformId() override { return 0; }
    void setScreenSaverRunning(bool) override {}
    bool changePassword(std::string_view, std::int32_t) override { return false; }
};

// The data folder ~/Almanix.
DataPaths linuxDataPaths();

// $XDG_CONFIG_HOME/almanix, or ~/.config/almanix.
std::string linuxConfigFolder();

// The short date of the user's locale (LC_TIME), read from its date format.
DatePattern localeShortDate();

// True when another copy holds the lock; otherwise this process holds it until it ends.
bool anotherLinuxCopyIsRunning();

// The Qt application, created on first use so that starts which show nothing
// need no display.
QApplication& qtApplication();
bool qtApplicationExists();
// Destroys the application while main still runs, before static destruction.
void endQtApplication();
void rememberCommandLine(int& argc, char** argv);

} // namespace almanix
