#pragma once

#include <cstdint>

#include "saver/image_size.h"
#include "saver/random_source.h"

namespace almanix {

// What the scenes show: notices and pictures in turn while events are due,
// otherwise pictures only.
enum class ShowMode { noticesAndPictures, picturesOnly };

// The content of the moving image: what a new scene shows, and how big it is.
class SceneContent {
public:
    virtual ~SceneContent() = default;
    // The width and height of the image as it stands now.
    virtual ImageSize imageSize() = 0;
    // The notice of the due events.
    virtual void showDueNotice() = 0;
    virtual void showPicture() = 0;
};

// Where the one moving image is and where it goes. Coordinates are pixels of
// the saver window; the bounds are the whole screen's, even in the preview.
struct Motion {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int16_t stepX = 0;
    std::int16_t stepY = 0;
    std::int32_t screenWidth = 0;
    std::int16_t screenHeight = 0;
    // How often this scene's image touched an edge, and how many touches end its bouncing.
    std::int16_t edgeTouches = 0;
    std::int16_t touchLimit = 0;
    bool noticeNext = false;
    ShowMode showMode = ShowMode::picturesOnly;
};

// One axis moves at moveSpeed pixels a tick, the other up to two faster or
// slower, which slants the path. Runs once a run; later scenes only flip signs.
void pickSteps(Motion& motion, RandomSource& random, std::int16_t moveSpeed);

// The first scene's touch limit, the screen's bounds and a random spot on it.
void placeOnScreen(Motion& motion, RandomSource& random, ImageSize screen);

// Puts the first image just outside a random edge, so that it slides in.
void enterFromRandomSide(Motion& motion, RandomSource& random, ImageSize image);

// The side the image has wholly left the screen by, moving away from it; none
// while it can still be seen or is coming in.
enum class ExitSide { none, right, left, bottom, top };
ExitSide exitSide(const Motion& motion, ImageSize image);

// Whether the next scene shows a picture rather than the due notice.
bool nextSceneShowsPicture(const Motion& motion);

// Starts the next scene: a fresh touch limit and the next content.
void nextScene(Motion& motion, RandomSource& random, SceneContent& content);

// Bounces the image off an edge, lets it fly on, or starts the next scene once
// it has left the screen. At most one rule acts per tick.
void checkEdges(Motion& motion, RandomSource& random, SceneContent& content);

} // namespace almanix
