#pragma once

// Picture files written byte by byte, so that no decoder under test makes its own input.

#include <cstdint>
#include <string>

#include "saver/notice.h"

namespace almanix::testing {

// A 24-bit bitmap of one colour, rows bottom up and padded to four bytes.
inline std::string bitmapBytes(std::int32_t width, std::int32_t height, Rgb colour) {
    const auto wide = static_cast<std::uint32_t>(width), high = static_cast<std::uint32_t>(height);
    const std::uint32_t rowBytes = (wide * 3 + 3) & ~3u, pixelBytes = rowBytes * high, fileBytes = 54 + pixelBytes;
    std::string bytes = "BM";
    // The header's sizes and offsets, one plane of 24 bits, no compression, 72 dots per inch.
    const std::pair<std::uint32_t, int> fields[] = {
        {fileBytes, 4}, {0u, 4}, {54u, 4},        {40u, 4},   {wide, 4},  {high, 4}, {1u, 2},
        {24u, 2},       {0u, 4}, {pixelBytes, 4}, {2835u, 4}, {2835u, 4}, {0u, 8},
    };
    for (const auto& [value, count] : fields)
        for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    for (std::uint32_t y = 0; y < high; ++y) {
        for (std::uint32_t x = 0; x < wide; ++x) bytes += {char(colour.blue), char(colour.green), char(colour.red)};
        bytes.append(rowBytes - wide * 3, '\0');
    }
    return bytes;
}

// One red pixel, the smallest GIF there is.
inline const std::string kRedDotGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                                    "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                                    35);

// A bomb: a progressive grey JPEG that claims width x height pixels (each side
// below 65536), with the tables a decoder needs and eight bytes of its first scan.
inline std::string progressiveJpegBytes(std::int32_t width, std::int32_t height) {
    const auto high = [](std::int32_t value) { return static_cast<char>((value >> 8) & 0xFF); };
    const auto low = [](std::int32_t value) { return static_cast<char>(value & 0xFF); };
    std::string bytes("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
    bytes.append(64, '\x01'); // every quantisation step 1
    bytes += std::string("\xFF\xC2\x00\x0B\x08", 5) + high(height) + low(height) + high(width) + low(width);
    bytes += std::string("\x01\x01\x11\x00", 4);
    // One DC code of one bit, for the difference 0.
    bytes += std::string("\xFF\xC4\x00\x14\x00\x01", 6) + std::string(15, '\0') + std::string(1, '\0');
    bytes += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00", 10) + std::string(8, '\0');
    return bytes + "\xFF\xD9";
}

// The segment an EXIF camera writes after a JPEG's first two bytes, holding
// only the orientation (1 to 8), in Motorola or Intel byte order.
inline std::string exifOrientationSegment(std::uint16_t orientation, bool motorola) {
    const auto two = [motorola](std::uint16_t value) {
        const char high = static_cast<char>(value >> 8);
        const char low = static_cast<char>(value & 0xFF);
        return motorola ? std::string{high, low} : std::string{low, high};
    };
    const auto four = [&two, motorola](std::uint16_t value) {
        return motorola ? two(0) + two(value) : two(value) + two(0);
    };
    const std::string tiff = (motorola ? "MM" : "II") + two(42) + four(8) + two(1) + two(0x0112) + two(3) + four(1) +
                             two(orientation) + two(0) + four(0);
    const std::string body = std::string("Exif\0\0", 6) + tiff;
    const auto length = static_cast<std::uint16_t>(body.size() + 2);
    return std::string("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body;
}

} // namespace almanix::testing
