#include <gtest/gtest.h>

#include "startup/command_line.h"

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
// end-to-end runs; here, the rest.
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
        {"--hlep", none, nullopt, nullopt, nullopt, "unknown option \"--hlep\" (try --help)"},
        {"-window-idd 7", none, nullopt, nullopt, nullopt, "unknown option \"-window-idd\""},
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

} // namespace
} // namespace almanix
