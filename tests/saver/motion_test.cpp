#include <gtest/gtest.h>

#include <deque>

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

// On a 1024 x 768 screen, with three touches to bounce.
Motion onScreen(std::int32_t x, std::int32_t y, std::int16_t dx, std::int16_t dy, std::int16_t hits = 0) {
    return {.x = x,
            .y = y,
            .stepX = dx,
            .stepY = dy,
            .screenWidth = 1024,
            .screenHeight = 768,
            .edgeTouches = hits,
            .touchLimit = 3};
}

TEST(Motion, PickStepsSlantsOneAxis) {
    struct Case {
        std::int16_t speed;
        ScriptedRandom draws; // exact axis, faster or slower, deviation
        std::int16_t stepX, stepY;
    };
    Case cases[] = {
        {10, {0.9f, 0.9f, 0.9f}, 10, 12}, {10, {0.1f, 0.1f, 0.5f}, 9, 10},   {10, {0.5f, 0.2f, 0.0f}, 10, 10},
        {2, {0.0f, 0.0f, 0.7f}, 0, 2},    {1, {0.99f, 0.49f, 0.99f}, 1, -1}, {30, {0.0f, 0.5f, 0.4f}, 31, 30},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.speed);
        Motion motion;
        pickSteps(motion, c.draws, c.speed);
        EXPECT_EQ(motion.stepX, c.stepX);
        EXPECT_EQ(motion.stepY, c.stepY);
        EXPECT_TRUE(c.draws.allUsed());
    }
}

TEST(Motion, TheFirstImageEntersFromTheDrawnSide) {
    struct Case {
        float side;
        std::int32_t x, y;
        std::int16_t dx, dy;
    };
    const Case cases[] = {
        {0.0f, 512, -40, 5, 6}, // above the top
        {0.3f, 1024, 192, -5, 6}, // beyond the right edge, heading left
        {0.6f, 512, 768, 5, -6}, // below the bottom, heading up
        {0.9f, -100, 192, 5, 6}, // before the left edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        ScriptedRandom random{0.4f, 0.5f, 0.25f, c.side};
        Motion motion{.stepX = 5, .stepY = 6};
        placeOnScreen(motion, random, {1024, 768});
        enterFromRandomSide(motion, random, {100, 40});
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY),
                  std::make_tuple(c.x, c.y, c.dx, c.dy));
    }
}

// Each row: the motion before, the image's size, and the motion after one
// check: where it stands, its steps and its touches, and whether a new scene began.
TEST(Motion, CheckEdgesActsOnTheFirstRuleThatHolds) {
    struct Case {
        const char* name;
        Motion before;
        ImageSize image;
        Motion after;
        bool newScene;
    };
    const Case cases[] = {
        {"a step of 0 counts as moving right", onScreen(1024, 300, 0, 3), {100, 40}, onScreen(1024, 300, 0, 3), true},
        {"left on the right: back the other way",
         onScreen(1030, 300, 5, 3),
         {100, 40},
         onScreen(1030, 300, -5, 3),
         true},
        {"left on the left: placed a new width outside",
         onScreen(-100, 300, -5, 3),
         {100, 40},
         onScreen(-300, 300, 5, 3),
         true},
        {"left at the bottom", onScreen(300, 768, 5, 3), {100, 40}, onScreen(300, 768, 5, -3), true},
        {"left at the top: placed a new height outside",
         onScreen(300, -40, 5, -3),
         {100, 40},
         onScreen(300, -60, 5, 3),
         true},
        {"right touch", onScreen(924, 300, 5, 3), {100, 40}, onScreen(924, 300, -5, 3, 1), false},
        {"top touch", onScreen(300, 0, 5, -3), {100, 40}, onScreen(300, 0, 5, 3, 1), false},
        {"bottom touch", onScreen(300, 728, 5, 3), {100, 40}, onScreen(300, 728, 5, -3, 1), false},
        {"right and bottom in one tick: only the side counts",
         onScreen(924, 728, 5, 3),
         {100, 40},
         onScreen(924, 728, -5, 3, 1),
         false},
        {"wider than the screen touches at once",
         onScreen(-10, 300, 5, 3),
         {1100, 40},
         onScreen(-10, 300, -5, 3, 1),
         false},
        {"and on the other side too", onScreen(-15, 300, -5, 3, 1), {1100, 40}, onScreen(-15, 300, 5, 3, 2), false},
        {"the touch that reaches the limit flies through",
         onScreen(0, 300, -5, 3, 2),
         {100, 40},
         onScreen(0, 300, -5, 3, 3),
         false},
        {"beyond the limit it keeps counting",
         onScreen(1000, 300, 5, 3, 7),
         {100, 40},
         onScreen(1000, 300, 5, 3, 8),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Motion motion = c.before;
        SizedScenes scenes(c.image);
        scenes.next = {{300, 60}};
        ScriptedRandom random{0.0f};
        checkEdges(motion, random, scenes);
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY, motion.edgeTouches),
                  std::make_tuple(c.after.x, c.after.y, c.after.stepX, c.after.stepY, c.after.edgeTouches));
        EXPECT_EQ(scenes.shown.size(), c.newScene ? 1u : 0u);
    }
}

// While only pictures show, the notice keeps its turn for when it comes back.
TEST(Motion, WhilePicturesOnlyShowTheNoticeKeepsItsTurn) {
    Motion motion{.noticeNext = true, .showMode = ShowMode::picturesOnly};
    SizedScenes scenes({10, 10});
    ScriptedRandom random{0.5f, 0.5f};
    nextScene(motion, random, scenes);
    nextScene(motion, random, scenes);
    EXPECT_TRUE(motion.noticeNext);
    EXPECT_EQ(scenes.shown, (std::vector<std::string>{"picture", "picture"}));
}

} // namespace
} // namespace almanix
