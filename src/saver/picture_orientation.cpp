#include "saver/picture_orientation.h"

#include <optional>

#include "saver/picture_files.h"

namespace almanix {

namespace {

// Reads numbers of a given byte order at offsets into a block; nothing past its end.
class ByteReader {
public:
    ByteReader(std::string_view bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

    std::optional<std::uint32_t> number(std::size_t offset, std::size_t width) const {
        if (offset > bytes_.size() || width > bytes_.size() - offset) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const auto byte = static_cast<std::uint8_t>(bytes_[offset + (bigEndian_ ? i : width - 1 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    std::string_view bytes_;
    bool bigEndian_;
};

constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;

// The orientation in an Exif block (the TIFF header and the first directory).
std::optional<Orientation> exifOrientation(std::string_view tiff) {
    if (!tiff.starts_with("MM") && !tiff.starts_with("II")) return std::nullopt;
    const ByteReader read(tiff, tiff.starts_with("MM"));
    const auto directory = read.number(4, 4);
    const auto entries = directory ? read.number(*directory, 2) : std::nullopt;
    if (read.number(2, 2) != 42u || !entries) return std::nullopt;
    for (std::uint32_t i = 0; i < *entries; ++i) {
        const std::size_t entry = *directory + 2 + 12 * static_cast<std::size_t>(i);
        if (read.number(entry, 2) != kOrientationTag) continue;
        const auto value = read.number(entry + 8, 2);
        if (read.number(entry + 2, 2) != kShortType || !value || *value < 1 || *value > 8) return std::nullopt;
        return static_cast<Orientation>(*value - 1);
    }
    return std::nullopt;
}

bool turnsAQuarter(Orientation orientation) { return orientation >= Orientation::transposed; }

} // namespace

JpegHeader jpegHeaderOf(std::string_view bytes) {
    JpegHeader header;
    const ByteReader read(bytes, true);
    bool orientationFound = false;
    std::size_t at = 2; // after the start of image
    while (at + 4 <= bytes.size() && static_cast<std::uint8_t>(bytes[at]) == 0xFF) {
        const auto marker = static_cast<std::uint8_t>(bytes[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) break; // first scan, or end of image
        const std::size_t length = *read.number(at + 2, 2);
        const std::string_view segment = bytes.substr(at + 4, length < 2 ? 0 : length - 2);
        if (marker == 0xE1 && !orientationFound && segment.starts_with(std::string_view("Exif\0\0", 6))) {
            orientationFound = true;
            header.orientation = exifOrientation(segment.substr(6)).value_or(Orientation::upright);
        }
        // The frame headers; C4, C8 and CC among them are tables.
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            header.wholeFrameHeld = (marker & 0x03) == 0x02; // C2, C6, CA, CE: progressive
            const auto height = read.number(at + 5, 2);
            const auto width = read.number(at + 7, 2);
            if (width && height)
                header.frameSize = ImageSize{static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height)};
        }
        at += 2 + length;
    }
    return header;
}

bool wholeFramePassesBudget(const JpegHeader& header) {
    return header.wholeFrameHeld && header.frameSize && !fitsDecodeBudget(*header.frameSize);
}

ImageSize uprightSize(ImageSize stored, Orientation orientation) {
    return turnsAQuarter(orientation) ? ImageSize{stored.height, stored.width} : stored;
}

std::vector<std::uint32_t> uprightPixels(const std::vector<std::uint32_t>& stored, ImageSize storedSize,
                                         Orientation orientation) {
    const ImageSize shown = uprightSize(storedSize, orientation);
    const std::int32_t lastX = storedSize.width - 1;
    const std::int32_t lastY = storedSize.height - 1;
    std::vector<std::uint32_t> pixels(stored.size());
    for (std::int32_t y = 0; y <= lastY; ++y) {
        for (std::int32_t x = 0; x <= lastX; ++x) {
            std::int32_t shownX = x;
            std::int32_t shownY = y;
            switch (orientation) {
            case Orientation::upright: break;
            case Orientation::mirrored: shownX = lastX - x; break;
            case Orientation::upsideDown: shownX = lastX - x, shownY = lastY - y; break;
            case Orientation::upsideDownMirrored: shownY = lastY - y; break;
            case Orientation::transposed: shownX = y, shownY = x; break;
            case Orientation::turnedClockwise: shownX = lastY - y, shownY = x; break;
            case Orientation::transverse: shownX = lastY - y, shownY = lastX - x; break;
            case Orientation::turnedAnticlockwise: shownX = y, shownY = lastX - x; break;
            }
            pixels[static_cast<std::size_t>(shownY) * static_cast<std::size_t>(shown.width) +
                   static_cast<std::size_t>(shownX)] =
                stored[static_cast<std::size_t>(y) * static_cast<std::size_t>(storedSize.width) +
                       static_cast<std::size_t>(x)];
        }
    }
    return pixels;
}

} // namespace almanix
