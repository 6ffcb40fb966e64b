#include <gtest/gtest.h>

#include "startup/program_start.h"
#include "support/fakes.h"

namespace almanix {
namespace {

// Notes what a start opens, with its settings and password guard.
class RecordingShell final : public StartupShell {
public:
    bool display = true;
    std::optional<std::string> daemonVariable;
    std::string opened;

    CommandLineSyntax commandLineSyntax() const override { return CommandLineSyntax::modeWordAndOptions; }
    bool anotherCopyIsRunning() override { return false; }
    bool connectToDisplay() override { return display; }
    bool showSaverFullScreen(const SaverOptions& saver) override { return open("full screen", saver); }
    bool showSaverPreview(std::int32_t, const SaverOptions& saver) override { return open("preview", saver); }
    bool showSaverInDaemonWindow(std::optional<std::uint32_t> window, const SaverOptions& saver) override {
        return open("daemon window " + (window ? std::to_string(*window) : "root"), saver);
    }
    bool showSetupWindow() override { return open("setup", {}); }
    std::optional<std::string> daemonWindowVariable() override { return daemonVariable; }

private:
    bool open(const std::string& what, const SaverOptions& saver) {
        opened = what + " " + std::to_string(saver.settings.moveSpeed) + " " +
                 std::to_string(saver.settings.daysBeforeEvent) +
                 (saver.password == SaverPassword::on ? " guarded" : "");
        return true;
    }
};

// The end-to-end runs make each start; here, what they cannot: the password
// guard off the 95 family, and the daemon's window and settings by every source.
TEST(Start, OpensWhatTheArgumentsAndTheSystemAsk) {
    // Each row: the arguments, the platform, XSCREENSAVER_WINDOW, and what opened
    // with its settings, or the error line.
    const std::tuple<const char*, std::uint32_t, std::optional<std::string>, std::string> cases[] = {
        {"/s", 1, std::nullopt, "full screen 3 7 guarded"},
        {"/s", 0, std::nullopt, "full screen 3 7"},
        {"-root", 1, "", "daemon window root 3 7"},
        {"-window-id 0x2a", 1, "4242", "daemon window 42 3 7"},
        {"-root -move-speed 12", 1, std::nullopt, "daemon window root 12 7"},
        {"-root", 1, "0xnope", "XSCREENSAVER_WINDOW=\"0xnope\" is not a window id"},
    };
    for (const auto& [argumentText, platformId, daemonVariable, outcome] : cases) {
        SCOPED_TRACE(::testing::Message() << argumentText << " on platform " << platformId);
        testing::FakeSystem system;
        system.services.platform = platformId;
        system.registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "3");
        system.registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName, RegistryType::text,
                            "7");
        system.registry.set(RegistryRoot::currentUser, "Control Panel\\Desktop", "ScreenSaveUsePassword",
                            RegistryType::dword, std::string("\x01\0\0\0", 4));
        RecordingShell shell;
        shell.daemonVariable = daemonVariable;
        const StartResult result = startProgram(argumentText, shell, system.platform);
        EXPECT_EQ(result == StartResult::windowOpened ? shell.opened : system.console.errors.at(0), outcome);
        // The system keys go off before the saver shows, where the password guards it.
        const bool guarded = outcome.ends_with("guarded");
        EXPECT_EQ(system.services.runningStates, guarded ? std::vector<bool>{true} : std::vector<bool>{});
        EXPECT_TRUE(system.messages.shown.empty());
    }
}

TEST(Start, StartsWithoutADisplayEndAtOnce) {
    testing::FakeSystem system;
    RecordingShell shell;
    shell.display = false;
    for (const char* argumentText : {"", "/s", "/p 12", "/c", "/a 12", "-root"})
        EXPECT_EQ(startProgram(argumentText, shell, system.platform), StartResult::displayUnavailable) << argumentText;
    // What needs no window needs no display either.
    EXPECT_EQ(startProgram("/x", shell, system.platform), StartResult::nothingOpened);
    EXPECT_EQ(shell.opened, "");
}

} // namespace
} // namespace almanix
