#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace almanix {
namespace {

// Each mode's plain form is started by the end-to-end runs; here, the rest.
TEST(CommandLine, ModeWordChoosesTheMode) {
    struct Case {
        const char* argumentText;
        const char* modeWord;
        RunMode mode;
    };
    const Case cases[] = {
        {"", "", RunMode::fullScreen},
        {"   ", "", RunMode::fullScreen},
        {"/S", "/s", RunMode::fullScreen},
        {"  /s  ", "/s", RunMode::fullScreen},
        {"/s:99", "/s", RunMode::fullScreen},
        {"/P:4242", "/p", RunMode::preview},
        {"/c:1234", "/c", RunMode::setup},
        {"/a 77", "/a", RunMode::passwordChange},
        {"-s", "-s", RunMode::none},
        {"s", "s", RunMode::none},
        {"/", "/", RunMode::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        EXPECT_EQ(modeWordOf(c.argumentText), c.modeWord);
        EXPECT_EQ(runModeOf(modeWordOf(c.argumentText)), c.mode);
    }
}

TEST(CommandLine, WindowHandleFollowsTheModeWordAndOneSeparator) {
    struct Case {
        const char* argumentText;
        std::optional<std::int32_t> handle;
    };
    const Case cases[] = {
        {"/p:1234", 1234},
        {"/p   1234  ", 1234},
        {"/p -5", -5},
        {"/p 2147483647", 2147483647},
        {"/p 2147483648", std::nullopt},
        {"/p", std::nullopt},
        {"/p ", std::nullopt},
        {"/p abc", std::nullopt},
        {"/p 12ab", std::nullopt},
        {"/p 1 2", std::nullopt},
        {"/p +-5", std::nullopt},
        {"/p1234", 234}, // the third character is the separator, whatever it is
        {"/p 0x200001", 0x200001},
        {"/p:0XfFfF", 0xFFFF},
        {"/p 0xFFFFFFFF", -1},
        {"/p 0x100000000", std::nullopt},
        {"/p 0x", std::nullopt},
        {"/p 0x-5", std::nullopt},
        {"/p 0x12g", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        EXPECT_EQ(windowHandleOf(c.argumentText), c.handle);
    }
}

TEST(CommandLine, DaemonOptionsOnlyWhereTheBuildReadsThem) {
    struct Case {
        const char* argumentText;
        RunMode mode;
        std::optional<std::uint32_t> window;
        std::optional<std::int16_t> moveSpeed, daysBefore;
        const char* error; // a part of the error, or empty
    };
    using std::nullopt;
    const Case cases[] = {
        {"  --root  ", RunMode::daemonWindow, nullopt, nullopt, nullopt, ""},
        {"--window-id 4242", RunMode::daemonWindow, 4242, nullopt, nullopt, ""},
        {"-root -window-id 7", RunMode::daemonWindow, 7, nullopt, nullopt, ""},
        {"-root -move-speed 45 -days-before 0", RunMode::daemonWindow, nullopt, 30, 1, ""},
        {"-root -move-speed 2.5 --days-before 99.5", RunMode::daemonWindow, nullopt, 2, 99, ""},
        {"-move-speed 5 -root", RunMode::daemonWindow, nullopt, 5, nullopt, ""},
        {"-root -move-speed fast", RunMode::none, nullopt, nullopt, nullopt, "-move-speed wants a number (1 to 30), not \"fast\""},
        {"-root -days-before 40000", RunMode::none, nullopt, nullopt, nullopt, "(1 to 99), not \"40000\""},
        {"-root -days-before", RunMode::none, nullopt, nullopt, nullopt, "-days-before needs a value"},
        {"-window-id", RunMode::none, nullopt, nullopt, nullopt, "-window-id needs a value"},
        {"-window-id 0xZZ", RunMode::none, nullopt, nullopt, nullopt, "\"0xZZ\" is not a window id"},
        {"-window-id -5", RunMode::none, nullopt, nullopt, nullopt, "is not a window id"},
        {"-root /s", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"/s\""},
        {"-root -fps", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"-fps\""},
        {"-move-speed 5", RunMode::none, nullopt, 5, nullopt, "-root or -window-id"},
        {"--help", RunMode::help, nullopt, nullopt, nullopt, ""},
        {"-root --version", RunMode::version, nullopt, nullopt, nullopt, ""},
        // Anything that does not start with an option keeps the mode word's rule.
        {"-s", RunMode::none, nullopt, nullopt, nullopt, ""},
        {"--roots", RunMode::none, nullopt, nullopt, nullopt, ""},
        {"/p 0x2a", RunMode::preview, nullopt, nullopt, nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        const CommandLine line = readCommandLine(c.argumentText, CommandLineSyntax::modeWordAndOptions);
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.window, c.window);
        EXPECT_EQ(line.moveSpeed, c.moveSpeed);
        EXPECT_EQ(line.daysBeforeEvent, c.daysBefore);
        if (*c.error) EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        else EXPECT_EQ(line.error, "");
        // The Windows build reads the mode word alone.
        const CommandLine windows = readCommandLine(c.argumentText, CommandLineSyntax::modeWord);
        EXPECT_EQ(windows.mode, runModeOf(modeWordOf(c.argumentText)));
        EXPECT_EQ(windows.error, "");
    }
}

} // namespace
} // namespace almanix
