#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "saver/saver_window.h"
#include "startup/command_line.h"
#include "startup/platform.h"

namespace almanix {

// The windows a start can open; each build creates them its own way. Each
// returns false when the window could not open, after telling the user why.
class StartupShell {
public:
    virtual ~StartupShell() = default;
    virtual CommandLineSyntax commandLineSyntax() const { return CommandLineSyntax::modeWord; }
    // True when a copy of the program already runs; otherwise this copy is now the one.
    virtual bool anotherCopyIsRunning() = 0;
    // False when there is no display to open a window on, after saying so on the console.
    virtual bool connectToDisplay() { return true; }
    virtual bool showSaverFullScreen(const SaverOptions& options) = 0;
    // Inside the window with that handle, sized to its client area.
    virtual bool showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) = 0;
    // Inside the window a saver daemon gave, sized to it, or on the root window
    // when there is none.
    virtual bool showSaverInDaemonWindow(std::optional<std::uint32_t> /*window*/, const SaverOptions& /*options*/) {
        return false;
    }
    virtual bool showSetupWindow() = 0;
    // What fetching calendar links needs of the shell before the agenda is printed.
    virtual void prepareForLinks() {}
    // XSCREENSAVER_WINDOW, by which a daemon names the window for -root; nothing when unset.
    virtual std::optional<std::string> daemonWindowVariable() { return std::nullopt; }
};

enum class StartResult {
    nothingOpened, // the process ends at once
    windowOpened, // the process ends when the window closes
    startupFailed, // reported to the user; the process ends with an error status
    displayUnavailable, // reported on the console; the process ends with status 1
    agendaPartly, // the agenda was printed without a source that gave nothing; status 1
};

// Reads the arguments that follow the program's name and opens what it asks for.
StartResult startProgram(const Arguments& arguments, StartupShell& shell, Platform& platform);

// What --help prints: how to start the program, and where its files are.
std::string usageText();

inline constexpr std::string_view kVersionText = "almanix 1.00\n";

} // namespace almanix
