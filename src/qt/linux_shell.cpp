#include "qt/linux_shell.h"

#include "qt/linux_saver.h"
#include "qt/qt_setup_window.h"

namespace almanix {

bool LinuxStartupShell::anotherCopyIsRunning() { return anotherLinuxCopyIsRunning(); }

bool LinuxStartupShell::showSaverFullScreen(const SaverOptions& options) {
    application_.get();
    return openSaverFullScreen(platform_, options);
}

bool LinuxStartupShell::showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) {
    application_.get();
    return openSaverPreview(platform_, hostWindow, options);
}

bool LinuxStartupShell::showSetupWindow() {
    application_.get();
    return openSetupWindow(platform_);
}

} // namespace almanix
