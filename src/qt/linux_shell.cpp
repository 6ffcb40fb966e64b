#include "qt/linux_shell.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include "qt/ending_signals.h"
#include "qt/linux_saver.h"
#include "qt/qt_form_view.h"
#include "setup/setup_window.h"

namespace almanix {

bool LinuxStartupShell::anotherCopyIsRunning() { return anotherLinuxCopyIsRunning(); }

namespace {

// The Wayland compositor's socket that WAYLAND_DISPLAY names: a path, or a
// name in XDG_RUNTIME_DIR; nothing when it names none.
std::optional<std::string> waylandSocketPath() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name) return std::nullopt;
    if (*name == '/') return name;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return std::nullopt;
    return std::string(runtime) + '/' + name;
}

bool acceptsConnection(const std::string& socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, socketPath.size());
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) return false;
    const bool connected = ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(client);
    return connected;
}

bool x11DisplayOpens() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

// Asked before Qt, which would abort without a display. Wayland comes first
// where the session has it, then X11; a platform the user chose answers for itself.
bool LinuxStartupShell::connectToDisplay() {
    const std::string chosen = variable("QT_QPA_PLATFORM");
    if (application_.exists() || (!chosen.empty() && !chosen.starts_with("xcb"))) return true;
    if (chosen.empty()) {
        if (const auto socket = waylandSocketPath(); socket && acceptsConnection(*socket)) {
            ::setenv("QT_QPA_PLATFORM", "wayland", 1);
            return true;
        }
    }
    if (x11DisplayOpens()) {
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    const std::string wayland = variable("WAYLAND_DISPLAY");
    const std::string x11 = variable("DISPLAY");
    if (!chosen.empty() || wayland.empty())
        platform_.console.writeError(x11.empty() ? "cannot open display (DISPLAY is not set)"
                                                 : "cannot open display " + x11);
    else
        platform_.console.writeError("cannot open Wayland display " + wayland +
                                     (x11.empty() ? " (DISPLAY is not set)" : " nor X11 display " + x11));
    return false;
}

void LinuxStartupShell::startSaverApplication() {
    if (!application_.exists()) holdBackEndingSignals();
    application_.get();
}

bool LinuxStartupShell::showSaverFullScreen(const SaverOptions& options) {
    startSaverApplication();
    return openSaverFullScreen(platform_, options, ending_);
}

bool LinuxStartupShell::showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) {
    startSaverApplication();
    return openSaverPreview(platform_, hostWindow, options, ending_);
}

bool LinuxStartupShell::showSaverInDaemonWindow(std::optional<std::uint32_t> window, const SaverOptions& options) {
    startSaverApplication();
    return openSaverInDaemonWindow(platform_, window, options, ending_);
}

bool LinuxStartupShell::showSetupWindow() {
    if (!application_.exists()) holdBackEndingSignals();
    application_.get();
    quitOnEndingSignals();
    openMainWindow(setupWindowLayout(),
                   [this](FormView& view) { return std::make_unique<SetupWindow>(view, setupServices_); });
    return true;
}

std::optional<std::string> LinuxStartupShell::daemonWindowVariable() {
    const char* window = std::getenv("XSCREENSAVER_WINDOW");
    if (!window) return std::nullopt;
    return window;
}

} // namespace almanix
