#pragma once

#include <cstdint>
#include <string_view>

#include "saver/saver_window.h"
#include "startup/platform.h"

namespace almanix {

// The windows a start can open; each build creates them its own way. Each
// returns false when the window could not open, after telling the user why.
class StartupShell {
public:
    virtual ~StartupShell() = default;
    // True when a copy of the program already runs; otherwise this copy is now the one.
    virtual bool anotherCopyIsRunning() = 0;
    virtual bool showSaverFullScreen(const SaverOptions& options) = 0;
    // Inside the window with that handle, sized to its client area.
    virtual bool showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) = 0;
    virtual bool showSetupWindow() = 0;
};

enum class StartResult {
    nothingOpened,  // the process ends at once
    windowOpened,   // the process ends when the window closes
    startupFailed,  // reported to the user; the process ends with an error status
};

// Reads the argument text that follows the program's name and opens what it asks for.
StartResult startProgram(std::string_view argumentText, StartupShell& shell, Platform& platform);

} // namespace almanix
