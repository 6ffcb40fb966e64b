#include "saver/motion.h"

#include <limits>

namespace almanix {

namespace {

std::int16_t reversed(std::int16_t step) { return static_cast<std::int16_t>(-step); }

// The counter only has to compare correctly with the limit, so it stops growing
// rather than wrap when an image sits on an edge for ever.
void countEdgeHit(Motion& motion) {
    if (motion.edgeHits < std::numeric_limits<std::int16_t>::max()) ++motion.edgeHits;
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
    motion.edgeLimit = static_cast<std::int16_t>(randomBelow(random, 3) + 1);
    motion.screenW = screen.width;
    motion.screenH = static_cast<std::int16_t>(screen.height);
    motion.posX = randomBelow(random, motion.screenW);
    motion.posY = randomBelow(random, motion.screenH);
}

void enterFromRandomSide(Motion& motion, RandomSource& random, ImageSize image) {
    switch (randomBelow(random, 4) + 1) {
    case 1: motion.posY = -image.height; break;
    case 2:
        motion.posX = motion.screenW;
        motion.stepX = reversed(motion.stepX);
        break;
    case 3:
        motion.posY = motion.screenH;
        motion.stepY = reversed(motion.stepY);
        break;
    default: motion.posX = -image.width; break;
    }
    motion.edgeHits = 0;
    motion.noticeNext = false;
}

void nextScene(Motion& motion, RandomSource& random, SceneContent& content) {
    motion.edgeHits = 0;
    motion.edgeLimit = static_cast<std::int16_t>(randomBelow(random, 5) + 1);
    if (motion.showMode == kShowModeNoticesAndPictures) {
        if (motion.noticeNext) {
            content.showDueNotice();
            motion.noticeNext = false;
        } else {
            content.showPicture();
            motion.noticeNext = true;
        }
    } else {
        content.showPicture();
    }
}

void checkEdges(Motion& motion, RandomSource& random, SceneContent& content) {
    const ImageSize image = content.imageSize();
    const bool right = motion.stepX >= 0;
    const bool down = motion.stepY >= 0;

    // Left the screen: the next scene enters from the side this one left by.
    if (right && motion.posX >= motion.screenW) {
        nextScene(motion, random, content);
        motion.stepX = reversed(motion.stepX);
    } else if (!right && motion.posX + image.width <= 0) {
        nextScene(motion, random, content);
        motion.stepX = reversed(motion.stepX);
        motion.posX = -content.imageSize().width;
    } else if (down && motion.posY >= motion.screenH) {
        nextScene(motion, random, content);
        motion.stepY = reversed(motion.stepY);
    } else if (!down && motion.posY + image.height <= 0) {
        nextScene(motion, random, content);
        motion.stepY = reversed(motion.stepY);
        motion.posY = -content.imageSize().height;
    }
    // Touching an edge it moves towards: bounce until the limit, then fly through.
    else if ((right && motion.posX + image.width >= motion.screenW) || (!right && motion.posX <= 0)) {
        countEdgeHit(motion);
        if (motion.edgeHits < motion.edgeLimit) motion.stepX = reversed(motion.stepX);
    } else if ((down && motion.posY + image.height >= motion.screenH) || (!down && motion.posY <= 0)) {
        countEdgeHit(motion);
        if (motion.edgeHits < motion.edgeLimit) motion.stepY = reversed(motion.stepY);
    }
}

} // namespace almanix
