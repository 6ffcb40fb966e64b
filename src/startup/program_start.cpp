#include "startup/program_start.h"

#include <string>

#include "startup/command_line.h"
#include "startup/password_services.h"

namespace almanix {

namespace {

StartResult opened(bool success) { return success ? StartResult::windowOpened : StartResult::startupFailed; }

StartResult startFullScreen(StartupShell& shell, Platform& platform) {
    const SaverPassword password = saverPasswordOf(platform.services, platform.registry);
    switchSystemKeys(platform.services, password, SystemKeys::disabled);
    return opened(shell.showSaverFullScreen({SaverPlacement::fullScreen, loadSettings(platform.registry), password}));
}

StartResult startPreview(StartupShell& shell, Platform& platform, std::string_view argumentText) {
    const auto handle = windowHandleOf(argumentText);
    if (!handle) {
        platform.messages.show("The preview cannot start: \"" + std::string(argumentText) +
                                   "\" does not end with the number of the preview window.",
                               kApplicationTitle);
        return StartResult::startupFailed;
    }
    const SaverOptions options{SaverPlacement::preview, loadSettings(platform.registry), SaverPassword::off};
    return opened(shell.showSaverPreview(*handle, options));
}

} // namespace

StartResult startProgram(std::string_view argumentText, StartupShell& shell, Platform& platform) {
    if (shell.anotherCopyIsRunning()) return StartResult::nothingOpened;

    switch (runModeOf(modeWordOf(argumentText))) {
    case RunMode::fullScreen: return startFullScreen(shell, platform);
    case RunMode::preview: return startPreview(shell, platform, argumentText);
    case RunMode::setup: return opened(shell.showSetupWindow());
    case RunMode::passwordChange:
        changePassword(platform.services, platform.messages, argumentText);
        return StartResult::nothingOpened;
    case RunMode::none: break;
    }
    return StartResult::nothingOpened;
}

} // namespace almanix
