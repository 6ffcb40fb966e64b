#include "startup/program_start.h"

#include <string>

#include "startup/agenda_command.h"
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

// A daemon runs one copy per monitor and one for its own preview, so the
// single-copy rule does not hold here; and nobody could answer a box.
StartResult startInDaemonWindow(const CommandLine& line, StartupShell& shell, Platform& platform) {
    std::optional<std::uint32_t> window = line.window;
    if (!window) {
        const std::optional<std::string> named = shell.daemonWindowVariable();
        if (named && !named->empty()) {
            window = windowIdOf(*named);
            if (!window) {
                platform.console.writeError("XSCREENSAVER_WINDOW=\"" + *named + "\" is not a window id");
                return StartResult::startupFailed;
            }
        }
    }
    if (!shell.connectToDisplay()) return StartResult::displayUnavailable;
    Settings settings = loadSettings(platform.registry);
    settings.moveSpeed = line.moveSpeed.value_or(settings.moveSpeed);
    settings.daysBeforeEvent = line.daysBeforeEvent.value_or(settings.daysBeforeEvent);
    return opened(shell.showSaverInDaemonWindow(window, {SaverPlacement::daemonWindow, settings, SaverPassword::off}));
}

} // namespace

StartResult startProgram(const Arguments& arguments, StartupShell& shell, Platform& platform) {
    const CommandLine line = readCommandLine(arguments, shell.commandLineSyntax());
    if (!line.error.empty()) {
        platform.console.writeError(line.error);
        return StartResult::startupFailed;
    }
    switch (line.mode) {
    case RunMode::help: platform.console.write(usageText()); return StartResult::nothingOpened;
    case RunMode::version: platform.console.write(kVersionText); return StartResult::nothingOpened;
    case RunMode::daemonWindow: return startInDaemonWindow(line, shell, platform);
    // Read only, so it runs beside the saver and needs no display.
    case RunMode::agenda:
        shell.prepareForLinks();
        return printAgenda(line, platform) == AgendaPrinted::whole ? StartResult::nothingOpened
                                                                   : StartResult::agendaPartly;
    default: break;
    }

    if (shell.anotherCopyIsRunning()) return StartResult::nothingOpened;
    if (line.mode == RunMode::none) return StartResult::nothingOpened;
    if (!shell.connectToDisplay()) return StartResult::displayUnavailable;
    switch (line.mode) {
    case RunMode::fullScreen: return startFullScreen(shell, platform);
    case RunMode::preview: return startPreview(shell, platform, arguments.text);
    case RunMode::setup: return opened(shell.showSetupWindow());
    case RunMode::passwordChange:
        changePassword(platform.services, platform.messages, arguments.text);
        return StartResult::nothingOpened;
    default: return StartResult::nothingOpened;
    }
}

std::string usageText() {
    return "Usage: almanix [/s | /p WINDOW | /c | /a]\n"
           "       almanix -root | -window-id WINDOW [-move-speed N] [-days-before N]\n"
           "       almanix --agenda [-days-before N] [-calendar SOURCE]...\n"
           "       almanix --help | --version\n"
           "\n"
           "A calendar screen saver: it moves a notice of the events that fall due within\n"
           "a set number of days, or one of your pictures, across a black screen.\n"
           "\n"
           "Modes:\n"
           "  /s, no argument     full screen over every monitor, until a key, a click or a\n"
           "                      mouse move; one copy at a time\n"
           "  /p WINDOW           inside the X11 window WINDOW (decimal, or hexadecimal after 0x)\n"
           "  /c                  the setup window: events, move speed, days before an event\n"
           "  /a                  the password change, which Linux does not have\n"
           "  -root               inside the window named by XSCREENSAVER_WINDOW, as saver\n"
           "                      daemons start it, or on the root window; input is the\n"
           "                      daemon's, and SIGTERM, SIGINT or SIGHUP end it\n"
           "  -window-id WINDOW   as -root, inside the window WINDOW\n"
           "  --agenda            prints the due events of events.dat and of your calendars,\n"
           "                      one a line in date order: YYYY-MM-DD, a tab, HH:MM (empty\n"
           "                      for a whole day's), a tab, what it is; status 1 when a\n"
           "                      calendar gave nothing, which is named on standard error\n"
           "  -calendar SOURCE    with --agenda, a .ics file, a folder of them or a link\n"
           "                      (https://, webcal://) beside the stored calendars\n"
           "\n"
           "Options of -root and -window-id, for this run instead of the stored settings:\n"
           "  -move-speed N       pixels per step of the moving image, 1 to 30\n"
           "  -days-before N      days ahead of its date that an event is announced, 1 to 99\n"
           "\n"
           "Files:\n"
           "  ~/Almanix/events.dat             the events (the events dialog's first OK\n"
           "                                   makes ~/Almanix)\n"
           "  ~/Almanix/pics/                  your pictures: gif, jpg, bmp or png\n"
           "  ~/.config/almanix/registry.reg   the settings ($XDG_CONFIG_HOME honoured)\n"
           "  ~/.cache/almanix/                the calendar links' kept copies\n"
           "                                   ($XDG_CACHE_HOME honoured)\n";
}

} // namespace almanix
