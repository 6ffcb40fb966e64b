#include <gtest/gtest.h>

#include <deque>

#include "saver/frame.h"
#include "saver/motion.h"
#include "saver_fakes.h"

namespace almanix {
namespace {

using testing::ScriptedRandom;

// Each scene's content is a fixed size; the log says what was shown.
class SizedScenes final : public SceneContent {
public:
    ImageSize current;
    std::deque<ImageSize> next;
    std::vector<std::string> shown;

    explicit SizedScenes(ImageSize first) : current(first) {}
    ImageSize imageSize() override { return current; }
    void showDueNotice() override { advance("notice"); }
    void showPicture() override { advance("picture"); }

private:
    void advance(const char* kind) {
        shown.push_back(kind);
        if (!next.empty()) {
            current = next.front();
            next.pop_front();
        }
    }
};

TEST(Motion, PickStepsSlantsOneAxis) {
    // Each row: the speed, the draws (exact axis, faster or slower, deviation) and the steps.
    std::tuple<std::int16_t, ScriptedRandom, std::int16_t, std::int16_t> cases[] = {
        {10, {0.9f, 0.9f, 0.9f}, 10, 12}, {10, {0.1f, 0.1f, 0.5f}, 9, 10},   {10, {0.5f, 0.2f, 0.0f}, 10, 10},
        {2, {0.0f, 0.0f, 0.7f}, 0, 2},    {1, {0.99f, 0.49f, 0.99f}, 1, -1}, {30, {0.0f, 0.5f, 0.4f}, 31, 30},
    };
    for (auto& [speed, draws, stepX, stepY] : cases) {
        SCOPED_TRACE(speed);
        Motion motion;
        pickSteps(motion, draws, speed);
        EXPECT_EQ(std::pair(motion.stepX, motion.stepY), std::pair(stepX, stepY));
        EXPECT_TRUE(draws.allUsed());
    }
}

TEST(Motion, TheFirstImageEntersFromTheDrawnSide) {
    // Each row: the side drawn, where the image stands then, and its steps.
    const std::tuple<float, std::int32_t, std::int32_t, std::int16_t, std::int16_t> cases[] = {
        {0.0f, 512, -40, 5, 6}, // above the top
        {0.3f, 1024, 192, -5, 6}, // beyond the right edge, heading left
        {0.6f, 512, 768, 5, -6}, // below the bottom, heading up
        {0.9f, -100, 192, 5, 6}, // before the left edge
    };
    for (const auto& [side, x, y, dx, dy] : cases) {
        SCOPED_TRACE(side);
        ScriptedRandom random{0.4f, 0.5f, 0.25f, side};
        Motion motion{.stepX = 5, .stepY = 6};
        placeOnScreen(motion, random, {1024, 768});
        enterFromRandomSide(motion, random, {100, 40});
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY), std::make_tuple(x, y, dx, dy));
    }
}

// Each row: where the image stands on a 1024 x 768 screen with three touches
// to bounce, its steps and touches, before and after one check of an image
// of that width, 40 tall, and whether a new scene began.
TEST(Motion, CheckEdgesActsOnTheFirstRuleThatHolds) {
    struct Place {
        std::int32_t x, y;
        std::int16_t dx, dy, touches = 0;
    };
    struct Case {
        const char* name;
        Place before;
        std::int32_t width;
        Place after;
        bool newScene;
    };
    const Case cases[] = {
        {"a step of 0 counts as moving right", {1024, 300, 0, 3}, 100, {1024, 300, 0, 3}, true},
        {"left on the right: back the other way", {1030, 300, 5, 3}, 100, {1030, 300, -5, 3}, true},
        {"left on the left: placed a new width outside", {-100, 300, -5, 3}, 100, {-300, 300, 5, 3}, true},
        {"left at the bottom", {300, 768, 5, 3}, 100, {300, 768, 5, -3}, true},
        {"left at the top: placed a new height outside", {300, -40, 5, -3}, 100, {300, -60, 5, 3}, true},
        {"right touch", {924, 300, 5, 3}, 100, {924, 300, -5, 3, 1}, false},
        {"top touch", {300, 0, 5, -3}, 100, {300, 0, 5, 3, 1}, false},
        {"bottom touch", {300, 728, 5, 3}, 100, {300, 728, 5, -3, 1}, false},
        {"right and bottom in one tick: only the side counts", {924, 728, 5, 3}, 100, {924, 728, -5, 3, 1}, false},
        {"wider than the screen touches at once", {-10, 300, 5, 3}, 1100, {-10, 300, -5, 3, 1}, false},
        {"and on the other side too", {-15, 300, -5, 3, 1}, 1100, {-15, 300, 5, 3, 2}, false},
        {"the touch that reaches the limit flies through", {0, 300, -5, 3, 2}, 100, {0, 300, -5, 3, 3}, false},
        {"beyond the limit it keeps counting", {1000, 300, 5, 3, 7}, 100, {1000, 300, 5, 3, 8}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [x, y, dx, dy, touches] = c.before;
        Motion motion{x, y, dx, dy, 1024, 768, touches, 3};
        SizedScenes scenes({c.width, 40});
        scenes.next = {{300, 60}};
        ScriptedRandom random{0.0f};
        checkEdges(motion, random, scenes);
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY, motion.edgeTouches),
                  std::make_tuple(c.after.x, c.after.y, c.after.dx, c.after.dy, c.after.touches));
        EXPECT_EQ(scenes.shown.size(), c.newScene ? 1u : 0u);
    }
}

TEST(Motion, WhilePicturesOnlyShowTheNoticeKeepsItsTurn) {
    Motion motion{.noticeNext = true, .showMode = ShowMode::picturesOnly};
    SizedScenes scenes({10, 10});
    ScriptedRandom random{0.5f, 0.5f};
    nextScene(motion, random, scenes);
    nextScene(motion, random, scenes);
    EXPECT_TRUE(motion.noticeNext);
    EXPECT_EQ(scenes.shown, (std::vector<std::string>{"picture", "picture"}));
}

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
