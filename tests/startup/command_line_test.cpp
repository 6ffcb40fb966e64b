#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace almanix {
namespace {

TEST(CommandLine, ModeWordChoosesTheMode) {
    struct Case {
        const char* argumentText;
        const char* modeWord;
        StartMode mode;
    };
    const Case cases[] = {
        {"", "", StartMode::fullScreen},
        {"   ", "", StartMode::fullScreen},
        {"/s", "/s", StartMode::fullScreen},
        {"/S", "/s", StartMode::fullScreen},
        {"  /s  ", "/s", StartMode::fullScreen},
        {"/s:99", "/s", StartMode::fullScreen},
        {"/p 4242", "/p", StartMode::preview},
        {"/P:4242", "/p", StartMode::preview},
        {"/c", "/c", StartMode::setup},
        {"/c:1234", "/c", StartMode::setup},
        {"/a 77", "/a", StartMode::passwordChange},
        {"/x", "/x", StartMode::none},
        {"-s", "-s", StartMode::none},
        {"s", "s", StartMode::none},
        {"/", "/", StartMode::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argumentText);
        EXPECT_EQ(modeWordOf(c.argumentText), c.modeWord);
        EXPECT_EQ(startModeOf(modeWordOf(c.argumentText)), c.mode);
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
