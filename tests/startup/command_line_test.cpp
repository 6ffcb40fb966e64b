#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace almanix {
namespace {

TEST(CommandLine, ModeWordChoosesTheMode) {
    struct Case {
        const char* argumentText;
        const char* modeWord;
        RunMode mode;
    };
    const Case cases[] = {
        {"", "", RunMode::fullScreen},
        {"   ", "", RunMode::fullScreen},
        {"/s", "/s", RunMode::fullScreen},
        {"/S", "/s", RunMode::fullScreen},
        {"  /s  ", "/s", RunMode::fullScreen},
        {"/s:99", "/s", RunMode::fullScreen},
        {"/p 4242", "/p", RunMode::preview},
        {"/P:4242", "/p", RunMode::preview},
        {"/c", "/c", RunMode::setup},
        {"/c:1234", "/c", RunMode::setup},
        {"/a 77", "/a", RunMode::passwordChange},
        {"/x", "/x", RunMode::none},
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
        {"/p 1234", 1234},
        {"/p:1234", 1234},
        {"/p   1234  ", 1234},
        {"/a 77", 77},
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        EXPECT_EQ(windowHandleOf(c.argumentText), c.handle);
    }
}

} // namespace
} // namespace almanix
