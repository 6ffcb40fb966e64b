#include "saver/motion.h"

#include <limits>

namespace almanix {

namespace {

std::int16_t reversed(std::int16_t step) { return static_cast<std::int16_t>(-step); }

// The counter only has to compare correctly with the limit, so it stops growing
// rather than wrap when an image sits on an edge for ever.
void countEdgeTouch(Motion& motion) {
    if (motion.edgeTouches < std::numeric_limits<std::int16_t>::max()) ++motion.edgeTouches;
}

} // namespace

void pickSteps(Motion& motion, RandomSource& random, std::int16_t moveSpeed) {
    const bool xIsExact = randomBelow(random, 2) == 1;
    const bool faster = randomBelow(random, 2) == 1;
    const std::int32_t deviation = randomBelow(random, 3);
    const auto deviating = static_cast<std::int16_t>(faster ? moveSpeed + deviation : moveSpeed - deviation);
    motion.stepX = xIsExact ? moveSpeed : deviating;
    motion.stepY = xIsExact ? deviating : moveSpeed;
}

void placeOnScreen(Motion& motion, RandomSource& random, ImageSize screen) {
    motion.touchLimit = static_cast<std::int16_t>(randomBelow(random, 3) + 1);
    motion.screenWidth = screen.width;
    motion.screenHeight = static_cast<std::int16_t>(screen.height);
    motion.x = randomBelow(random, motion.screenWidth);
    motion.y = randomBelow(random, motion.screenHeight);
}

void enterFromRandomSide(Motion& motion, RandomSource& random, ImageSize image) {
    switch (randomBelow(random, 4) + 1) {
    case 1: motion.y = -image.height; break;
    case 2:
        motion.x = motion.screenWidth;
        motion.stepX = reversed(motion.stepX);
        break;
    case 3:
        motion.y = motion.screenHeight;
        motion.stepY = reversed(motion.stepY);
        break;
    default: motion.x = -image.width; break;
    }
    motion.edgeTouches = 0;
    motion.noticeNext = false;
}

ExitSide exitSide(const Motion& motion, ImageSize image) {
    const bool right = motion.stepX >= 0;
    const bool down = motion.stepY >= 0;
    if (right && motion.x >= motion.screenWidth) return ExitSide::right;
    if (!right && motion.x + image.width <= 0) return ExitSide::left;
    if (down && motion.y >= motion.screenHeight) return ExitSide::bottom;
    if (!down && motion.y + image.height <= 0) return ExitSide::top;
    return ExitSide::none;
}

bool nextSceneShowsPicture(const Motion& motion) {
    return motion.showMode == ShowMode::picturesOnly || !motion.noticeNext;
}

void nextScene(Motion& motion, RandomSource& random, SceneContent& content) {
    motion.edgeTouches = 0;
    motion.touchLimit = static_cast<std::int16_t>(randomBelow(random, 5) + 1);
    if (nextSceneShowsPicture(motion)) {
        content.showPicture();
        // While only pictures show, the turn of the notice is kept for when it comes back.
        if (motion.showMode == ShowMode::noticesAndPictures) motion.noticeNext = true;
    } else {
        content.showDueNotice();
        motion.noticeNext = false;
    }
}

void checkEdges(Motion& motion, RandomSource& random, SceneContent& content) {
    const ImageSize image = content.imageSize();
    // Left the screen: the next scene enters from the side this one left by.
    switch (exitSide(motion, image)) {
    case ExitSide::right:
        nextScene(motion, random, content);
        motion.stepX = reversed(motion.stepX);
        return;
    case ExitSide::left:
        nextScene(motion, random, content);
        motion.stepX = reversed(motion.stepX);
        motion.x = -content.imageSize().width;
        return;
    case ExitSide::bottom:
        nextScene(motion, random, content);
        motion.stepY = reversed(motion.stepY);
        return;
    case ExitSide::top:
        nextScene(motion, random, content);
        motion.stepY = reversed(motion.stepY);
        motion.y = -content.imageSize().height;
        return;
    case ExitSide::none: break;
    }
    // Touching an edge it moves towards: bounce until the limit, then fly through.
    const bool right = motion.stepX >= 0;
    const bool down = motion.stepY >= 0;
    if ((right && motion.x + image.width >= motion.screenWidth) || (!right && motion.x <= 0)) {
        countEdgeTouch(motion);
        if (motion.edgeTouches < motion.touchLimit) motion.stepX = reversed(motion.stepX);
    } else if ((down && motion.y + image.height >= motion.screenHeight) || (!down && motion.y <= 0)) {
        countEdgeTouch(motion);
        if (motion.edgeTouches < motion.touchLimit) motion.stepY = reversed(motion.stepY);
    }
}

} // namespace almanix
