#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace almanix {
namespace {

TEST(CommandLine, WindowHandleFollowsTheModeWordAndOneSeparator) {
    struct Case {
        const char* argumentText;
        std::optional<std::int32_t> handle;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        EXPECT_EQ(windowHandleOf(c.argumentText), c.handle);
    }
}

// Each mode's plain form and the daemons' usual options are started by the
// end-to-end runs; here, the rest.
TEST(CommandLine, ModeWordOrDaemonOptions) {
    struct Case {
        const char* argumentText;
        RunMode mode;
        std::optional<std::uint32_t> window;
        std::optional<std::int16_t> moveSpeed, daysBefore;
        const char* error; // a part of the error, or empty
    };
    using std::nullopt;
    const Case cases[] = {
        // The mode word is the first two characters, in either case.
        {"", RunMode::fullScreen, nullopt, nullopt, nullopt, ""},
        {"/S", RunMode::fullScreen, nullopt, nullopt, nullopt, ""},
        {"  /s  ", RunMode::fullScreen, nullopt, nullopt, nullopt, ""},
        {"/P:4242", RunMode::preview, nullopt, nullopt, nullopt, ""},
        {"/c:1234", RunMode::setup, nullopt, nullopt, nullopt, ""},
        {"s", RunMode::none, nullopt, nullopt, nullopt, ""},
        {"/", RunMode::none, nullopt, nullopt, nullopt, ""},
        // A word with a dash is an option: one typed wrong is an error, not nothing.
        {"-s", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"-s\""},
        {"--hlep", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"--hlep\" (try --help)"},
        {"-window-idd 7", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"-window-idd\""},
        {"-", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"-\""},
        // The saver daemons' options, with one dash or two.
        {"  --root  ", RunMode::daemonWindow, nullopt, nullopt, nullopt, ""},
        {"-root -window-id 7", RunMode::daemonWindow, 7, nullopt, nullopt, ""},
        {"-root -move-speed 45 -days-before 0", RunMode::daemonWindow, nullopt, 30, 1, ""},
        {"-root -move-speed 2.5 --days-before 99.5", RunMode::daemonWindow, nullopt, 2, 99, ""},
        {"-move-speed 5 -root", RunMode::daemonWindow, nullopt, 5, nullopt, ""},
        {"-root -move-speed fast", RunMode::none, nullopt, nullopt, nullopt,
         "-move-speed wants a number (1 to 30), not \"fast\""},
        {"-root -days-before 40000", RunMode::none, nullopt, nullopt, nullopt, "(1 to 99), not \"40000\""},
        {"-root -days-before", RunMode::none, nullopt, nullopt, nullopt, "-days-before needs a value"},
        {"-window-id 0xZZ", RunMode::none, nullopt, nullopt, nullopt, "\"0xZZ\" is not a window id"},
        {"-window-id -5", RunMode::none, nullopt, nullopt, nullopt, "is not a window id"},
        {"-root /s", RunMode::none, nullopt, nullopt, nullopt, "unknown option \"/s\""},
        {"-move-speed 5", RunMode::none, nullopt, 5, nullopt, "-root or -window-id"},
        {"--help", RunMode::help, nullopt, nullopt, nullopt, ""},
        {"-root --version", RunMode::version, nullopt, nullopt, nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        const CommandLine line = readCommandLine(c.argumentText, CommandLineSyntax::modeWordAndOptions);
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.window, c.window);
        EXPECT_EQ(line.moveSpeed, c.moveSpeed);
        EXPECT_EQ(line.daysBeforeEvent, c.daysBefore);
        if (*c.error)
            EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        else
            EXPECT_EQ(line.error, "");
    }
}

} // namespace
} // namespace almanix
