#pragma once

// Picture files written byte by byte, so that no decoder under test makes its own input.

#include <cstdint>
#include <string>

#include "saver/notice.h"

namespace almanix::testing {

// A 24-bit bitmap of one colour, rows bottom up and padded to four bytes.
inline std::string bitmapBytes(std::int32_t width, std::int32_t height, Rgb colour) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "BM";
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixelBytes, 4);
    put(2835, 4); // 72 dots per inch
    put(2835, 4);
    put(0, 8);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) bytes += {char(colour.blue), char(colour.green), char(colour.red)};
        bytes.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return bytes;
}

// One red pixel, the smallest GIF there is.
inline const std::string kRedDotGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                                    "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                                    35);

} // namespace almanix::testing
