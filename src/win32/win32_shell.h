#pragma once

#include <memory>

#include "setup/calendar_descriptions.h"
#include "startup/program_start.h"
#include "win32/win32_form_view.h"
#include "win32/win32_saver.h"

namespace almanix {

// Opens the program's windows on Windows. What it opens lives as long as the
// shell, which outlives the message loop.
class Win32StartupShell final : public StartupShell {
public:
    explicit Win32StartupShell(Platform& platform)
        : platform_(platform),
          calendarDescriptions_(platform.sourceServices(), platform.clock),
          setupServices_{platform.eventStore(), platform.registry, platform.messages, calendarDescriptions_} {}

    bool anotherCopyIsRunning() override;
    bool showSaverFullScreen(const SaverOptions& options) override;
    bool showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) override;
    bool showSetupWindow() override;

private:
    Platform& platform_;
    std::unique_ptr<Win32Saver> saver_;
    SourceDescriptions calendarDescriptions_;
    // What the setup window and its dialogs read and write through.
    SetupServices setupServices_;
    Win32MainWindow setupWindow_;
};

} // namespace almanix
