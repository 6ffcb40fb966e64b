#pragma once

#include "common/message_box.h"
#include "startup/main_dispatch.h"

namespace almanix {

class QtMessageBox final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title) override;
};

// Opens the program's windows on Linux.
class LinuxStartupShell final : public StartupShell {
public:
    bool anotherCopyIsRunning() override;
    bool showSaverFullScreen() override;
    WindowRect clientRectOf(std::int32_t window) override;
    bool showSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) override;
    bool showSetupWindow() override;
};

} // namespace almanix
