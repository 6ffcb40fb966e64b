#include <gtest/gtest.h>

#include "saver/notice.h"
#include "saver_fakes.h"

namespace almanix {
namespace {

using testing::CellCanvas;
using testing::ScriptedRandom;

const ImageSize kScreen{1024, 768};

// Which lines a text gives is the cut's table below; the shells' tests measure
// the block with their fonts. Here where each line is drawn.
TEST(Notice, IsExactlyTheTextBlockWithEveryLineAtTheLeft) {
    CellCanvas canvas;
    ScriptedRandom random{0.3f};
    const ImageSize size{90, 60}; // the widest line need not be the last
    EXPECT_EQ(showNotice("\r\nwide line\r\nx", kScreen, canvas, random), size);
    EXPECT_EQ(canvas.cleared, size);
    ASSERT_EQ(canvas.drawn.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(canvas.drawn[i].x, 0);
        EXPECT_EQ(canvas.drawn[i].y, 20 * static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(canvas.drawn[1].line, "wide line");
}

TEST(Notice, ColourIsABrightPaletteEntry) {
    // The ends of the draw; the end-to-end runs see the colours between.
    const std::pair<float, Rgb> cases[] = {
        {0.0f, {128, 128, 128}}, {0.124f, {128, 128, 128}}, {0.125f, {0, 0, 255}}, {0.99999994f, {255, 255, 255}}};
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
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"fits", "\r\n" + std::string(30, 'a') + "\r\nb", {"", std::string(30, 'a'), "b"}},
        {"a lone CR or LF does not break the line", "a\rb\nc", {"a\rb\nc"}},
        {"too many lines", "\r\n1\r\n2\r\n3\r\n4", {"", "1", "... and 3 more events"}},
        {"too wide", tooWide, {std::string(27, 'x') + "..."}},
        {"a character is never split", twoBytes, {twoBytes.substr(0, 26) + "..."}},
        {"a megabyte on one line", megabyte + "\r\nend", {std::string(27, 'm') + "...", "end"}},
    };
    for (const auto& [name, text, lines] : cases) {
        CellCanvas canvas;
        EXPECT_EQ(noticeLines(canvas, text, {300, 60}), lines) << name;
    }
}

} // namespace
} // namespace almanix
