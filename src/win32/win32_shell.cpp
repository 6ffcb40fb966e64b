#include "win32/win32_shell.h"

#include <cstdio>

#include "setup/setup_window.h"
#include "win32/win32_platform.h"

namespace almanix {

bool Win32StartupShell::anotherCopyIsRunning() {
    // Deliberately never closed: the mutex lives as long as the process.
    CreateMutexA(nullptr, FALSE, "Almanix screen saver: one copy");
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32StartupShell::showSaverFullScreen(const SaverOptions& options) {
    saver_ = openSaverFullScreen(options, platform_);
    return saver_ != nullptr;
}

bool Win32StartupShell::showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) {
    const HWND host = windowOfHandle(hostWindow);
    if (!IsWindow(host)) {
        // Already gone, or never there: the preview ends before it begins.
        std::fprintf(stderr, "Almanix: there is no window %d to show the preview in\n", hostWindow);
        return true;
    }
    saver_ = openSaverPreview(host, options, platform_);
    return saver_ != nullptr;
}

bool Win32StartupShell::showSetupWindow() {
    setupWindow_ = openMainWindow(
        setupWindowLayout(), [this](FormView& view) { return std::make_unique<SetupWindow>(view, setupServices_); });
    if (setupWindow_.view) return true;
    platform_.messages.show("The setup window could not be opened.", kApplicationTitle);
    return false;
}

} // namespace almanix
