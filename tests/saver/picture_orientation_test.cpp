#include <gtest/gtest.h>

#include "saver/picture_files.h"
#include "saver/picture_orientation.h"
#include "support/picture_bytes.h"

namespace almanix {
namespace {

using testing::exifOrientationSegment;
using testing::progressiveJpegBytes;

std::string baselineJpeg(std::int32_t width, std::int32_t height) {
    std::string bytes = progressiveJpegBytes(width, height);
    bytes[bytes.find("\xFF\xC2") + 1] = '\xC0';
    return bytes;
}

std::string withExif(std::string jpeg, std::uint16_t orientation, bool motorola) {
    return jpeg.insert(2, exifOrientationSegment(orientation, motorola));
}

TEST(JpegHeader, OrientationAndFrameComeBeforeTheFirstScan) {
    using enum Orientation;
    const std::string exifOnly = "\xFF\xD8" + exifOrientationSegment(6, true);
    // Each row: the bytes, the orientation, whether a decoder holds the whole frame, and the frame's size.
    const std::tuple<const char*, std::string, Orientation, bool, std::optional<ImageSize>> cases[] = {
        {"a progressive bomb", progressiveJpegBytes(30000, 20000), upright, true, ImageSize{30000, 20000}},
        {"baseline", baselineJpeg(640, 480), upright, false, ImageSize{640, 480}},
        {"a phone held upright", withExif(baselineJpeg(4000, 3000), 6, true), turnedClockwise, false,
         ImageSize{4000, 3000}},
        {"Intel byte order", withExif(baselineJpeg(40, 30), 8, false), turnedAnticlockwise, false, ImageSize{40, 30}},
        {"mirrored, progressive", withExif(progressiveJpegBytes(40, 30), 2, true), mirrored, true, ImageSize{40, 30}},
        {"no such orientation", withExif(baselineJpeg(40, 30), 9, true), upright, false, ImageSize{40, 30}},
        {"the frame beyond the bytes read", exifOnly, turnedClockwise, true, std::nullopt},
        {"the EXIF segment cut short", exifOnly.substr(0, 20), upright, true, std::nullopt},
        {"nothing after the start", "\xFF\xD8", upright, true, std::nullopt},
    };
    for (const auto& [name, bytes, orientation, wholeFrameHeld, frame] : cases) {
        SCOPED_TRACE(name);
        const JpegHeader header = jpegHeaderOf(bytes);
        EXPECT_EQ(std::tie(header.orientation, header.wholeFrameHeld, header.frameSize),
                  std::tie(orientation, wholeFrameHeld, frame));
    }
}

TEST(Orientation, PixelsStandUpright) {
    using enum Orientation;
    // Stored:  1 2 3
    //          4 5 6
    const std::vector<std::uint32_t> stored{1, 2, 3, 4, 5, 6};
    const std::pair<Orientation, std::vector<std::uint32_t>> cases[] = {
        {upright, {1, 2, 3, 4, 5, 6}},    {mirrored, {3, 2, 1, 6, 5, 4}},
        {upsideDown, {6, 5, 4, 3, 2, 1}}, {upsideDownMirrored, {4, 5, 6, 1, 2, 3}},
        {transposed, {1, 4, 2, 5, 3, 6}}, {turnedClockwise, {4, 1, 5, 2, 6, 3}},
        {transverse, {6, 3, 5, 2, 4, 1}}, {turnedAnticlockwise, {3, 6, 2, 5, 1, 4}},
    };
    for (const auto& [orientation, shown] : cases) {
        SCOPED_TRACE(static_cast<int>(orientation) + 1);
        EXPECT_EQ(uprightPixels(stored, {3, 2}, orientation), shown);
        EXPECT_EQ(uprightSize({3, 2}, orientation), (orientation >= transposed ? ImageSize{2, 3} : ImageSize{3, 2}));
    }
}

TEST(PictureFiles, DecodingKeepsWithinTheBudget) {
    EXPECT_TRUE(fitsDecodeBudget({8192, 8192})); // 256 MB exactly
    EXPECT_FALSE(fitsDecodeBudget({8192, 8193}));
    EXPECT_FALSE(fitsDecodeBudget({65535, 65535}));
    EXPECT_FALSE(fitsDecodeBudget({-1, 4}));
    // A progressive JPEG's decoder holds the whole frame; a baseline one decodes less where asked.
    EXPECT_TRUE(wholeFramePassesBudget(jpegHeaderOf(progressiveJpegBytes(30000, 30000))));
    EXPECT_FALSE(wholeFramePassesBudget(jpegHeaderOf(progressiveJpegBytes(8000, 8000))));
    EXPECT_FALSE(wholeFramePassesBudget(jpegHeaderOf(baselineJpeg(30000, 30000))));
}

} // namespace
} // namespace almanix
