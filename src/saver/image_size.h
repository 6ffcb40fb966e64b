#pragma once

#include <cstdint>

namespace almanix {

// The size of the moving image or of a picture, in pixels.
struct ImageSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

} // namespace almanix
