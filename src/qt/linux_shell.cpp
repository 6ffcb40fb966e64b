#include "qt/linux_shell.h"

#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

#include "qt/ending_signals.h"
#include "qt/linux_saver.h"
#include "qt/qt_setup_window.h"

namespace almanix {

bool LinuxStartupShell::anotherCopyIsRunning() { return anotherLinuxCopyIsRunning(); }

bool LinuxStartupShell::connectToDisplay() {
    // Only X11 is asked here, before Qt, which would abort without one; any
    // other platform the user chose answers for itself.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (application_.exists() || (platform && *platform && !std::string_view(platform).starts_with("xcb"))) return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!connected) {
        const char* display = std::getenv("DISPLAY");
        platform_.console.writeError(display && *display ? "cannot open display " + std::string(display)
                                                         : std::string("cannot open display (DISPLAY is not set)"));
    }
    return connected;
}

void LinuxStartupShell::startSaverApplication() {
    if (!application_.exists()) holdBackEndingSignals();
    application_.get();
}

bool LinuxStartupShell::showSaverFullScreen(const SaverOptions& options) {
    startSaverApplication();
    return openSaverFullScreen(platform_, options);
}

bool LinuxStartupShell::showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) {
    startSaverApplication();
    return openSaverPreview(platform_, hostWindow, options);
}

bool LinuxStartupShell::showSaverInDaemonWindow(std::optional<std::uint32_t> window, const SaverOptions& options) {
    startSaverApplication();
    return openSaverInDaemonWindow(platform_, window, options);
}

bool LinuxStartupShell::showSetupWindow() {
    if (!application_.exists()) holdBackEndingSignals();
    application_.get();
    quitOnEndingSignals();
    return openSetupWindow(platform_);
}

std::optional<std::string> LinuxStartupShell::daemonWindowVariable() {
    const char* window = std::getenv("XSCREENSAVER_WINDOW");
    if (!window) return std::nullopt;
    return window;
}

} // namespace almanix
