#include <gtest/gtest.h>

#include "startup/password_services.h"
#include "startup/program_start.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using testing::FakeSystem;

// Notes what each start opens and with which options.
class RecordingShell final : public StartupShell {
public:
    bool running = false;
    std::vector<std::string> opened;
    SaverOptions options;

    bool anotherCopyIsRunning() override { return running; }
    bool showSaverFullScreen(const SaverOptions& saver) override {
        options = saver;
        opened.push_back("full screen");
        return true;
    }
    bool showSaverPreview(std::int32_t host, const SaverOptions& saver) override {
        options = saver;
        opened.push_back("preview in " + std::to_string(host));
        return true;
    }
    bool showSetupWindow() override {
        opened.push_back("setup");
        return true;
    }

    CommandLineSyntax syntax = CommandLineSyntax::modeWord;
    bool display = true;
    std::optional<std::string> daemonVariable;

    CommandLineSyntax commandLineSyntax() const override { return syntax; }
    bool connectToDisplay() override { return display; }
    bool showSaverInDaemonWindow(std::optional<std::uint32_t> window, const SaverOptions& saver) override {
        options = saver;
        opened.push_back("daemon window " + (window ? std::to_string(*window) : "root"));
        return true;
    }
    std::optional<std::string> daemonWindowVariable() override { return daemonVariable; }
};

struct Start : ::testing::Test, FakeSystem {
    RecordingShell shell;

    StartResult start(std::string_view argumentText) { return startProgram(argumentText, shell, platform); }
    void setPasswordFlag(std::uint32_t type, std::string data) {
        registry.set(RegistryRoot::currentUser, "Control Panel\\Desktop", "ScreenSaveUsePassword", type,
                     std::move(data));
    }
};

TEST_F(Start, FullScreenIsGuardedByThePasswordOnlyOnThe95FamilyWithTheFlagAt1) {
    struct Case {
        std::uint32_t platformId;
        std::uint32_t flagType;
        std::string flagData;
        SaverPassword password;
    };
    const Case cases[] = {
        {1, RegistryType::dword, std::string("\x01\0\0\0", 4), SaverPassword::on},
        {1, RegistryType::dword, std::string("\0\0\0\0", 4), SaverPassword::off},
        {1, RegistryType::text, std::string("1\0", 2), SaverPassword::off}, // reads 49, not 1
        {2, RegistryType::dword, std::string("\x01\0\0\0", 4), SaverPassword::off},
        {0, RegistryType::dword, std::string("\x01\0\0\0", 4), SaverPassword::off},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.platformId << " " << c.flagData.size());
        services.runningStates.clear();
        services.platform = c.platformId;
        setPasswordFlag(c.flagType, c.flagData);
        EXPECT_EQ(start("/s"), StartResult::windowOpened);
        EXPECT_EQ(shell.options.password, c.password);
        // The system keys go off before the saver shows, where the password guards it.
        EXPECT_EQ(services.runningStates, c.password == SaverPassword::on ? std::vector<bool>{true} : std::vector<bool>{});
    }
}

TEST_F(Start, DaemonStartsDrawWhereTheyAreToldBesideOtherCopiesAndNeverShowABox) {
    shell.syntax = CommandLineSyntax::modeWordAndOptions;
    shell.running = true; // other copies: one per monitor, and the daemon's preview
    registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "3");
    registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kDaysBeforeEventName, RegistryType::text, "7");
    struct Case {
        const char* argumentText;
        std::optional<std::string> daemonVariable;
        std::string outcome; // what opened, with its settings, or the error line
    };
    const Case cases[] = {
        {"-root", std::nullopt, "daemon window root 3 7"},
        {"-root", "", "daemon window root 3 7"},
        {"-root", "0x200001", "daemon window 2097153 3 7"},
        {"--root", "4242", "daemon window 4242 3 7"},
        {"-window-id 0x2a", "4242", "daemon window 42 3 7"},
        {"-root -move-speed 12 -days-before 120", std::nullopt, "daemon window root 12 99"},
        {"-root", "0xnope", "XSCREENSAVER_WINDOW=\"0xnope\" is not a window id"},
        {"-root -fps", std::nullopt, "unknown option \"-fps\" (try --help)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        shell.opened.clear();
        console.errors.clear();
        shell.options = {};
        shell.daemonVariable = c.daemonVariable;
        const StartResult result = start(c.argumentText);
        const Settings& settings = shell.options.settings;
        const std::string outcome = result == StartResult::windowOpened
            ? shell.opened.at(0) + " " + std::to_string(settings.moveSpeed) + " " + std::to_string(settings.daysBeforeEvent)
            : console.errors.at(0);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(result == StartResult::windowOpened, shell.options.placement == SaverPlacement::daemonWindow);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Start, HelpAndVersionPrintAndStartsWithoutADisplayEndAtOnce) {
    shell.syntax = CommandLineSyntax::modeWordAndOptions;
    EXPECT_EQ(start("--help"), StartResult::nothingOpened);
    EXPECT_EQ(start("-version"), StartResult::nothingOpened);
    EXPECT_EQ(console.written, usageText() + std::string(kVersionText));
    shell.display = false;
    for (const char* argumentText : {"", "/s", "/p 12", "/c", "/a 12", "-root"})
        EXPECT_EQ(start(argumentText), StartResult::displayUnavailable) << argumentText;
    // What needs no window needs no display either.
    EXPECT_EQ(start("/x"), StartResult::nothingOpened);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(PasswordFlag, TakesTheFirstByteOfAllButTheLast) {
    struct Case {
        const char* name;
        std::optional<std::pair<std::uint32_t, std::string>> value;
        std::int16_t flag;
    };
    const Case cases[] = {
        {"DWORD 1", std::pair{RegistryType::dword, std::string("\x01\0\0\0", 4)}, 1},
        {"text 1 with NUL", std::pair{RegistryType::text, std::string("1\0", 2)}, 49},
        {"one byte", std::pair{RegistryType::binary, std::string("\x01", 1)}, 0},
        {"no data", std::pair{RegistryType::binary, std::string()}, 32},
        {"larger than the buffer", std::pair{RegistryType::binary, std::string(2049, '\x01')}, 0},
        {"missing", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::MemoryRegistry registry;
        if (c.value) registry.set(RegistryRoot::currentUser, "Control Panel\\Desktop", "Flag", c.value->first,
                                  c.value->second);
        EXPECT_EQ(readRegistryFlag(registry, RegistryRoot::currentUser, "Control Panel\\Desktop", "Flag"), c.flag);
    }
}

} // namespace
} // namespace almanix
