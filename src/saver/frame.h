#pragma once

#include <cstdint>

#include "saver/image_size.h"
#include "saver/motion.h"

namespace almanix {

// A rectangle of pixels with both corners included; left <= right, top <= bottom.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // The rectangle between two corner pixels given in any order.
    static PixelRect between(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    std::int32_t width() const { return right - left + 1; }
    std::int32_t height() const { return bottom - top + 1; }

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The saver window's client area. Both operations clip to the window.
class SaverSurface {
public:
    virtual ~SaverSurface() = default;
    virtual void fillBlack(const PixelRect& area) = 0;
    // Copies the whole moving image, opaque, with its top-left corner at (x, y).
    virtual void copyImage(std::int32_t x, std::int32_t y, ImageSize size) = 0;
};

// The rows and the columns that an image at (x, y) uncovers when it moves by
// (dx, dy). With a step of 0 the strip is the row or column just outside the
// image plus the image's own edge, which the copy paints over again.
struct TrailingStrips {
    PixelRect rows;
    PixelRect columns;
};
TrailingStrips trailingStrips(std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy, ImageSize image);

// Erases the trail, advances the position by one step and copies the image to
// its new place. Nothing else of the window is drawn.
void drawFrame(Motion& motion, ImageSize image, SaverSurface& surface);

} // namespace almanix
