#pragma once

#include "common/data_paths.h"
#include "common/message_box.h"
#include "startup/main_dispatch.h"
#include "startup/platform_services.h"

namespace almanix {

// The 95-family services are bound by name at first use, so that the program
// also starts where they do not exist.
class Win32PlatformServices final : public PlatformServices {
public:
    std::uint32_t platformId() override;
    void setScreenSaverRunning(bool running) override;
    bool changePassword(std::string_view provider, std::int32_t ownerWindow) override;
};

class Win32MessageBox final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title) override;
};

// The data folder C:\Almanix.
DataPaths win32DataPaths();

class Win32StartupShell final : public StartupShell {
public:
    bool anotherCopyIsRunning() override;
    bool showSaverFullScreen() override;
    WindowRect clientRectOf(std::int32_t window) override;
    bool showSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) override;
    bool showSetupWindow() override;
};

} // namespace almanix
