#include <gtest/gtest.h>

#include <algorithm>

#include "startup/agenda_command.h"
#include "startup/command_line.h"
#include "startup/program_start.h"
#include "support/fakes.h"

namespace almanix {
namespace {

TEST(CommandLine, WindowHandleFollowsTheModeWordAndOneSeparator) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"/p   1234  ", 1234},
        {"/p -5", -5},
        {"/p 2147483647", 2147483647},
        {"/p 2147483648", std::nullopt},
        {"/p", std::nullopt},
        {"/p ", std::nullopt},
        {"/p 12ab", std::nullopt},
        {"/p +-5", std::nullopt},
        {"/p1234", 234}, // the third character is the separator, whatever it is
        {"/p:0XfFfF", 0xFFFF},
        {"/p 0xFFFFFFFF", -1},
        {"/p 0x100000000", std::nullopt},
        {"/p 0x", std::nullopt},
        {"/p 0x-5", std::nullopt},
    };
    for (const auto& [argumentText, handle] : cases) EXPECT_EQ(windowHandleOf(argumentText), handle) << argumentText;
}

// Each mode's plain form and the daemons' usual options are started by the
// end-to-end runs, and so are the typos "--hlep" and "-window-idd" with their
// whole error line; here, the rest.
TEST(CommandLine, ModeWordOrDaemonOptions) {
    using std::nullopt;
    using enum RunMode;
    using Number = std::optional<std::int16_t>;
    // Each row: the argument text, the mode, the window, the speed and the days
    // before of the options, and a part of the error, or empty.
    const std::tuple<const char*, RunMode, std::optional<std::uint32_t>, Number, Number, const char*> cases[] = {
        // The mode word is the first two characters, in either case.
        {"", fullScreen, nullopt, nullopt, nullopt, ""},
        {"/S", fullScreen, nullopt, nullopt, nullopt, ""},
        {"  /s  ", fullScreen, nullopt, nullopt, nullopt, ""},
        {"/P:4242", preview, nullopt, nullopt, nullopt, ""},
        {"/c:1234", setup, nullopt, nullopt, nullopt, ""},
        {"s", none, nullopt, nullopt, nullopt, ""},
        {"/", none, nullopt, nullopt, nullopt, ""},
        // A word with a dash is an option: one typed wrong is an error, not nothing.
        {"-s", none, nullopt, nullopt, nullopt, "unknown option \"-s\""},
        {"-", none, nullopt, nullopt, nullopt, "unknown option \"-\""},
        // The saver daemons' options, with one dash or two.
        {"  --root  ", daemonWindow, nullopt, nullopt, nullopt, ""},
        {"-root -window-id 7", daemonWindow, 7, nullopt, nullopt, ""},
        {"-root -move-speed 45 -days-before 0", daemonWindow, nullopt, 30, 1, ""},
        {"-root -move-speed 2.5 --days-before 99.5", daemonWindow, nullopt, 2, 99, ""},
        {"-move-speed 5 -root", daemonWindow, nullopt, 5, nullopt, ""},
        {"-root -move-speed fast", none, nullopt, nullopt, nullopt,
         "-move-speed wants a number (1 to 30), not \"fast\""},
        {"-root -days-before 40000", none, nullopt, nullopt, nullopt, "(1 to 99), not \"40000\""},
        {"-root -days-before", none, nullopt, nullopt, nullopt, "-days-before needs a value"},
        {"-window-id 0xZZ", none, nullopt, nullopt, nullopt, "\"0xZZ\" is not a window id"},
        {"-window-id -5", none, nullopt, nullopt, nullopt, "is not a window id"},
        {"-root /s", none, nullopt, nullopt, nullopt, "unknown option \"/s\""},
        {"-move-speed 5", none, nullopt, 5, nullopt, "-root or -window-id"},
        {"--help", help, nullopt, nullopt, nullopt, ""},
        {"-root --version", version, nullopt, nullopt, nullopt, ""},
    };
    for (const auto& [argumentText, mode, window, moveSpeed, daysBefore, error] : cases) {
        SCOPED_TRACE(argumentText);
        const CommandLine line = readCommandLine(argumentText, CommandLineSyntax::modeWordAndOptions);
        EXPECT_EQ(std::tie(line.mode, line.window, line.moveSpeed, line.daysBeforeEvent),
                  std::tie(mode, window, moveSpeed, daysBefore));
        if (*error)
            EXPECT_NE(line.error.find(error), std::string::npos) << line.error;
        else
            EXPECT_EQ(line.error, "");
    }
}

// A calendar source in Windows' text keeps its spaces in double quotes; the
// words a POSIX system gives stay as they are, quotes and all.
TEST(CommandLine, CalendarSourcesKeepTheirSpacesAndQuotes) {
    const std::pair<Arguments, std::vector<std::string>> cases[] = {
        {"/agenda -calendar \"C:\\My calendars\" -calendar x.ics", {"C:\\My calendars", "x.ics"}},
        {Arguments::ofWords({"--agenda", "-calendar", "\"work\" and home", "-calendar", "\"x"}),
         {"\"work\" and home", "\"x"}},
    };
    for (const auto& [arguments, calendars] : cases)
        EXPECT_EQ(readCommandLine(arguments, CommandLineSyntax::modeWordAndOptions).calendars, calendars)
            << arguments.text;
}

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
        for (const auto& [name, text] : {std::pair{kMoveSpeedName, "3"}, {kDaysBeforeEventName, "7"}})
            system.registry.set(RegistryRoot::localMachine, kSettingsKeyPath, name, RegistryType::text, text);
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

// More due events than a check lists are said, and the agenda counts as partly printed.
TEST(Agenda, SaysHowManyDueEventsItDoesNotList) {
    testing::FakeSystem system;
    std::string file;
    for (std::size_t event = 0; event < kMostAnnouncedEvents + 2; ++event)
        file += "#12/07/2026 Monday Event " + std::to_string(event) + "\r\n";
    system.files.files[system.eventFile] = file;
    EXPECT_EQ(printAgenda(CommandLine{.mode = RunMode::agenda}, system.platform), AgendaPrinted::partly);
    EXPECT_EQ(system.console.errors,
              std::vector<std::string>{"C:\\Almanix\\events.dat: 2 more due events than the agenda lists"});
    EXPECT_EQ(std::count(system.console.written.begin(), system.console.written.end(), '\n'),
              static_cast<std::ptrdiff_t>(kMostAnnouncedEvents));
}

} // namespace
} // namespace almanix
