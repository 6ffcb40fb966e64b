#include <gtest/gtest.h>

#include "saver/notice.h"
#include "saver_fakes.h"

namespace almanix {
namespace {

using testing::CellCanvas;
using testing::ScriptedRandom;

const ImageSize kScreen{1024, 768};

TEST(Notice, IsExactlyTheTextBlockWithEveryLineAtTheLeft) {
    struct Case {
        const char* name;
        std::string text;
        ImageSize size;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"due events begin with an empty line", "\r\n12/06/2026 Sunday A\r\n12/07/2026 Monday Longer one",
         {280, 60}, {"", "12/06/2026 Sunday A", "12/07/2026 Monday Longer one"}},
        {"one line", "abc", {30, 20}, {"abc"}},
        {"the widest line need not be the last", "wide line\r\nx", {90, 40}, {"wide line", "x"}},
        {"a lone CR or LF does not break the line", "a\rb\nc", {50, 20}, {"a\rb\nc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellCanvas canvas;
        ScriptedRandom random{0.3f};
        EXPECT_EQ(showNotice(c.text, kScreen, canvas, random), c.size);
        EXPECT_EQ(canvas.cleared, c.size);
        ASSERT_EQ(canvas.drawn.size(), c.lines.size());
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(canvas.drawn[i].line, c.lines[i]);
            EXPECT_EQ(canvas.drawn[i].x, 0);
            EXPECT_EQ(canvas.drawn[i].y, 20 * static_cast<std::int32_t>(i));
        }
    }
}

TEST(Notice, ColourIsABrightPaletteEntry) {
    const std::pair<float, Rgb> cases[] = {
        {0.0f, {128, 128, 128}}, {0.124f, {128, 128, 128}}, {0.125f, {0, 0, 255}}, {0.3f, {0, 255, 0}},
        {0.4f, {0, 255, 255}},   {0.5f, {255, 0, 0}},       {0.7f, {255, 0, 255}}, {0.8f, {255, 255, 0}},
        {0.99999994f, {255, 255, 255}},
    };
    for (const auto& [draw, colour] : cases) {
        SCOPED_TRACE(draw);
        CellCanvas canvas;
        ScriptedRandom random{draw};
        showNotice("x", kScreen, canvas, random);
        EXPECT_EQ(canvas.drawn.at(0).colour, colour);
    }
}

// Whatever the text, the notice is no bigger than the screen: here 30 cells
// wide and 3 lines tall.
TEST(Notice, IsCutToTheScreen) {
    const std::string tooWide(40, 'x');
    std::string twoBytes;
    for (int i = 0; i < 20; ++i) twoBytes += "\xC3\xA9";
    const std::string megabyte(1 << 20, 'm');
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits", "\r\n" + std::string(30, 'a') + "\r\nb", {"", std::string(30, 'a'), "b"}},
        {"too many lines", "\r\n1\r\n2\r\n3\r\n4", {"", "1", "... and 3 more events"}},
        {"too wide", tooWide, {std::string(27, 'x') + "..."}},
        {"a character is never split", twoBytes, {twoBytes.substr(0, 26) + "..."}},
        {"a megabyte on one line", megabyte + "\r\nend", {std::string(27, 'm') + "...", "end"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellCanvas canvas;
        EXPECT_EQ(noticeLines(canvas, c.text, {300, 60}), c.lines);
    }
}

} // namespace
} // namespace almanix
