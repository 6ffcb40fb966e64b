#pragma once

#include <cstdint>
#include <string_view>

#include "common/message_box.h"
#include "settings/registry.h"
#include "startup/platform_services.h"
#include "startup/startup_state.h"

namespace almanix {

// The windows a start can open; each build creates them its own way. Each
// returns false when the window could not open, after telling the user why.
class StartupShell {
public:
    virtual ~StartupShell() = default;
    // True when a copy of the program already runs; otherwise this copy is now the one.
    virtual bool anotherCopyIsRunning() = 0;
    virtual bool showSaverFullScreen() = 0;
    virtual WindowRect clientRectOf(std::int32_t window) = 0;
    virtual bool showSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) = 0;
    virtual bool showSetupWindow() = 0;
};

struct StartupServices {
    StartupShell& shell;
    PlatformServices& platform;
    Registry& registry;
    MessageBoxes& messages;
};

enum class MainResult {
    nothingOpened,  // the process ends at once
    windowOpened,   // the process ends when the window closes
    startupFailed,  // reported to the user; the process ends with an error status
};

// Reads the argument text, records the run mode and opens what it asks for.
MainResult Main(std::string_view argumentText, StartupServices& services);

} // namespace almanix
