#pragma once

#include "qt/linux_platform.h"
#include "startup/program_start.h"

namespace almanix {

// Opens the program's windows on Linux.
class LinuxStartupShell final : public StartupShell {
public:
    LinuxStartupShell(Platform& platform, QtApplicationOnDemand& application)
        : platform_(platform), application_(application) {}

    bool anotherCopyIsRunning() override;
    bool showSaverFullScreen(const SaverOptions& options) override;
    bool showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) override;
    bool showSetupWindow() override;

private:
    Platform& platform_;
    QtApplicationOnDemand& application_;
};

} // namespace almanix
