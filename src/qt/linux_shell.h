#pragma once

#include "common/ending_deadline.h"
#include "qt/linux_platform.h"
#include "setup/calendar_descriptions.h"
#include "startup/program_start.h"

namespace almanix {

// Opens the program's windows on Linux.
class LinuxStartupShell final : public StartupShell {
public:
    // The saver starts the ending's count when its window goes.
    LinuxStartupShell(Platform& platform, QtApplicationOnDemand& application, EndingDeadline& ending)
        : platform_(platform),
          application_(application),
          ending_(ending),
          calendarDescriptions_(platform.sourceServices(), platform.clock),
          setupServices_{platform.eventStore(), platform.registry, platform.messages, calendarDescriptions_} {}

    CommandLineSyntax commandLineSyntax() const override { return CommandLineSyntax::modeWordAndOptions; }
    bool anotherCopyIsRunning() override;
    bool connectToDisplay() override;
    bool showSaverFullScreen(const SaverOptions& options) override;
    bool showSaverPreview(std::int32_t hostWindow, const SaverOptions& options) override;
    bool showSaverInDaemonWindow(std::optional<std::uint32_t> window, const SaverOptions& options) override;
    bool showSetupWindow() override;
    void prepareForLinks() override { application_.withoutWindows(); }
    std::optional<std::string> daemonWindowVariable() override;

private:
    // The application, made now; the saver's ending signals are held back first.
    void startSaverApplication();

    Platform& platform_;
    QtApplicationOnDemand& application_;
    EndingDeadline& ending_;
    SourceDescriptions calendarDescriptions_;
    // What the setup window and its dialogs read and write through.
    SetupServices setupServices_;
};

} // namespace almanix
