#include "saver/frame.h"

#include <algorithm>
#include <cstdlib>

namespace almanix {

PixelRect PixelRect::between(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TrailingStrips trailingStrips(std::int32_t x, std::int32_t y, std::int32_t dx, std::int32_t dy, ImageSize image) {
    const std::int32_t w = image.width;
    const std::int32_t h = image.height;
    TrailingStrips strips;
    if (dy >= 0) {
        strips.rows = PixelRect::between(x, y, x + w - 1, y + dy - 1);
    } else {
        const std::int32_t top = y + h - std::abs(dy);
        strips.rows = PixelRect::between(x, top, x + w - 1, top + std::abs(dy) - 1);
    }
    if (dx >= 0) {
        strips.columns = PixelRect::between(x, y, x + dx - 1, y + h - 1);
    } else {
        const std::int32_t left = x + w - std::abs(dx);
        strips.columns = PixelRect::between(left, y, left + std::abs(dx) - 1, y + h - 1);
    }
    return strips;
}

void drawFrame(Motion& motion, ImageSize image, SaverSurface& surface) {
    const TrailingStrips strips = trailingStrips(motion.x, motion.y, motion.stepX, motion.stepY, image);
    surface.fillBlack(strips.rows);
    surface.fillBlack(strips.columns);
    motion.x += motion.stepX;
    motion.y += motion.stepY;
    surface.copyImage(motion.x, motion.y, image);
}

} // namespace almanix
