#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "saver/image_size.h"

namespace almanix {

// How a photo's stored pixels must be turned to stand upright, as a camera
// records it (EXIF orientation 1 to 8, in that order).
enum class Orientation {
    upright,
    mirrored,
    upsideDown,
    upsideDownMirrored,
    transposed, // mirrored and turned a quarter anticlockwise
    turnedClockwise, // shown after a quarter turn clockwise
    transverse, // mirrored and turned a quarter clockwise
    turnedAnticlockwise, // shown after a quarter turn anticlockwise
};

// What the header of a JPEG file tells before any pixel is decoded.
struct JpegHeader {
    Orientation orientation = Orientation::upright;
    // A progressive JPEG, or one whose frame header lies beyond the bytes read:
    // its decoder holds the whole frame, whatever size it is asked for.
    bool wholeFrameHeld = true;
    // The frame's size in pixels as stored, when its header was among the bytes.
    std::optional<ImageSize> frameSize;
};

// Reads the markers of a JPEG's first bytes, up to its first scan.
JpegHeader jpegHeaderOf(std::string_view bytes);

// True for a JPEG whose decoder would hold a whole frame beyond the decoding
// budget: it is refused before a decoder sees it, since merely opening one
// makes some decoders set up the whole frame.
bool wholeFramePassesBudget(const JpegHeader& header);

// How many of a file's first bytes jpegHeaderOf needs: camera makers' notes and
// thumbnails may fill most of the 64 KB a segment can hold.
inline constexpr std::size_t kJpegHeaderBytes = 256 * 1024;

// The size of a picture stored at this size once it stands upright.
ImageSize uprightSize(ImageSize stored, Orientation orientation);

// The pixels (rows from the top) turned upright.
std::vector<std::uint32_t> uprightPixels(const std::vector<std::uint32_t>& stored, ImageSize storedSize,
                                         Orientation orientation);

} // namespace almanix
