#include <gtest/gtest.h>

#include "saver/frame.h"
#include "saver_fakes.h"

namespace almanix {
namespace {

using testing::GridSurface;

TEST(Frame, TrailingStripsOfEachDirection) {
    // An image of 30 x 8 at (10, 20).
    struct Case {
        std::int32_t dx, dy;
        PixelRect rows, columns;
    };
    const Case cases[] = {
        {3, 2, {10, 20, 39, 21}, {10, 20, 12, 27}},   // right and down: top rows, left columns
        {-3, -2, {10, 26, 39, 27}, {37, 20, 39, 27}}, // left and up: bottom rows, right columns
        {-4, 1, {10, 20, 39, 20}, {36, 20, 39, 27}},
        {0, 2, {10, 20, 39, 21}, {9, 20, 10, 27}},    // step 0: the column outside and the edge
        {3, 0, {10, 19, 39, 20}, {10, 20, 12, 27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy);
        const TrailingStrips strips = trailingStrips(10, 20, c.dx, c.dy, {30, 8});
        EXPECT_EQ(strips.rows, c.rows);
        EXPECT_EQ(strips.columns, c.columns);
    }
}

// After one frame the window shows the image at its new place and nothing of
// the old one, in every direction, for steps of 0 and for images partly outside.
TEST(Frame, OneFrameLeavesNoTrail) {
    const ImageSize image{4, 3};
    for (std::int32_t startX : {3, -2, 9})
        for (std::int32_t startY : {3, -1})
            for (int dx : {-2, 0, 1})
                for (int dy : {-1, 0, 2}) {
                    SCOPED_TRACE(::testing::Message() << startX << "," << startY << " by " << dx << "," << dy);
                    GridSurface window(12, 8, '.');
                    window.copyImage(startX, startY, image);
                    Motion motion;
                    motion.x = startX;
                    motion.y = startY;
                    motion.stepX = static_cast<std::int16_t>(dx);
                    motion.stepY = static_cast<std::int16_t>(dy);
                    drawFrame(motion, image, window);

                    GridSurface expected(12, 8, '.');
                    expected.copyImage(startX + dx, startY + dy, image);
                    EXPECT_EQ(window.rows, expected.rows);
                    EXPECT_EQ(motion.x, startX + dx);
                    EXPECT_EQ(motion.y, startY + dy);
                    EXPECT_EQ(window.filled.size(), 2u); // two strips, no full redraw
                }
}

} // namespace
} // namespace almanix
