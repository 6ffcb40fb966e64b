#pragma once

#include <memory>
#include <string>

#include "common/console.h"
#include "common/data_paths.h"
#include "common/message_box.h"
#include "common/platform_services.h"
#include "events/date_pattern.h"
#include "qt/posix_file_system.h"
#include "qt/qt_link_fetcher.h"
#include "qt/qt_time_zones.h"
#include "settings/reg_file_registry.h"
#include "startup/platform.h"

class QApplication;
class QCoreApplication;

namespace almanix {

// The Qt application, made at first use, so that starts which show nothing
// need no display.
class QtApplicationOnDemand {
public:
    QtApplicationOnDemand(int& argc, char** argv);
    ~QtApplicationOnDemand();
    QtApplicationOnDemand(const QtApplicationOnDemand&) = delete;
    QtApplicationOnDemand& operator=(const QtApplicationOnDemand&) = delete;

    QApplication& get();
    bool exists() const { return application_ != nullptr; }
    // An application without windows, for what needs one without a display,
    // such as fetching links; none when a full one exists.
    void withoutWindows();

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<QCoreApplication> core_;
};

// Linux has no Windows version, no screen-saver password and no running state.
class LinuxPlatformServices final : public PlatformServices {
public:
    std::uint32_t platformId() override { return 0; }
    void setScreenSaverRunning(bool) override {}
    bool changePassword(std::string_view, std::int32_t) override { return false; }
};

class QtMessageBox final : public MessageBoxes {
public:
    explicit QtMessageBox(QtApplicationOnDemand& application) : application_(application) {}
    void show(const std::string& text, const std::string& title) override;

private:
    QtApplicationOnDemand& application_;
};

// The data folder ~/Almanix.
DataPaths linuxDataPaths();

// $XDG_CONFIG_HOME/almanix, or ~/.config/almanix.
std::string linuxConfigFolder();

// $XDG_CACHE_HOME/almanix, or ~/.cache/almanix: the links' kept copies.
CacheFolder linuxCacheFolder();

// The short date of the user's locale (LC_TIME), read from its date format.
DatePattern localeShortDate();

// True when another copy holds the lock; otherwise this process holds it until it ends.
bool anotherLinuxCopyIsRunning();

// Everything the Linux build uses of its system, made once in main.
class LinuxSystem {
public:
    explicit LinuxSystem(QtApplicationOnDemand& application);
    LinuxSystem(const LinuxSystem&) = delete;
    LinuxSystem& operator=(const LinuxSystem&) = delete;

    Platform& platform() { return platform_; }

private:
    PosixFileSystem files_;
    RegFileRegistry registry_;
    DatePattern shortDate_;
    SystemClock clock_;
    QtMessageBox messages_;
    LinuxPlatformServices services_;
    StandardConsole console_;
    QtLinkFetcher linkFetcher_;
    QtTimeZones timeZones_;
    Platform platform_;
};

} // namespace almanix
