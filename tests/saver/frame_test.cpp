#include <gtest/gtest.h>

#include "saver/frame.h"

namespace almanix {
namespace {

// That the strips leave no trail is judged on real windows, by the shells'
// tests and the end-to-end runs; here, exactly where they lie.
TEST(Frame, TrailingStripsOfEachDirection) {
    // Each row: the steps of an image of 30 x 8 at (10, 20), and its strips of rows and of columns.
    const std::tuple<std::int32_t, std::int32_t, PixelRect, PixelRect> cases[] = {
        {3, 2, {10, 20, 39, 21}, {10, 20, 12, 27}}, // right and down: top rows, left columns
        {-3, -2, {10, 26, 39, 27}, {37, 20, 39, 27}}, // left and up: bottom rows, right columns
        {-4, 1, {10, 20, 39, 20}, {36, 20, 39, 27}},
        {0, 2, {10, 20, 39, 21}, {9, 20, 10, 27}}, // step 0: the column outside and the edge
        {3, 0, {10, 19, 39, 20}, {10, 20, 12, 27}},
    };
    for (const auto& [dx, dy, rows, columns] : cases) {
        SCOPED_TRACE(::testing::Message() << dx << "," << dy);
        const TrailingStrips strips = trailingStrips(10, 20, dx, dy, {30, 8});
        EXPECT_EQ(strips.rows, rows);
        EXPECT_EQ(strips.columns, columns);
    }
}

} // namespace
} // namespace almanix
