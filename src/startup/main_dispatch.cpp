#include "startup/main_dispatch.h"

#include <string>

#include "startup/command_line.h"

namespace almanix {

namespace {

MainResult opened(bool success) { return success ? MainResult::windowOpened : MainResult::startupFailed; }

MainResult startFullScreen(StartupServices& services) {
    gRunMode = kRunModeFullScreen;
    gWinVersion = getWindowsVersion(services.platform);
    if (gWinVersion == "95")
        gUsePassword = readRegistryFlag(services.registry, HKEY_CURRENT_USER_ROOT,
                                        "Control Panel\\Desktop", "ScreenSaveUsePassword");
    switchSystemKeys(services.platform, "disable");
    return opened(services.shell.showSaverFullScreen());
}

MainResult startPreview(StartupServices& services, std::string_view argumentText) {
    gRunMode = kRunModePreview;
    const auto handle = windowHandleOf(argumentText);
    if (!handle) {
        services.messages.show("The preview cannot start: \"" + std::string(argumentText) +
                                   "\" does not end with the number of the preview window.",
                               kApplicationTitle);
        return MainResult::startupFailed;
    }
    gParentWindow = *handle;
    gParentRect = services.shell.clientRectOf(gParentWindow);
    return opened(services.shell.showSaverPreview(gParentWindow, gParentRect));
}

} // namespace

MainResult Main(std::string_view argumentText, StartupServices& services) {
    if (services.shell.anotherCopyIsRunning()) return MainResult::nothingOpened;

    switch (startModeOf(modeWordOf(argumentText))) {
    case StartMode::fullScreen: return startFullScreen(services);
    case StartMode::preview: return startPreview(services, argumentText);
    case StartMode::setup: return opened(services.shell.showSetupWindow());
    case StartMode::passwordChange:
        gRunMode = kRunModePasswordChange;
        changePassword(services.platform, services.messages, argumentText);
        return MainResult::nothingOpened;
    case StartMode::none: break;
    }
    return MainResult::nothingOpened;
}

} // namespace almanix
