#include "saver/notice.h"

#include <algorithm>
#include <array>

#include "common/text_lines.h"

namespace almanix {

Rgb paletteColour(int entry) {
    static constexpr std::array<Rgb, 16> palette{{
        {0, 0, 0}, {0, 0, 128}, {0, 128, 0}, {0, 128, 128},
        {128, 0, 0}, {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255}, {0, 255, 0}, {0, 255, 255},
        {255, 0, 0}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    }};
    return palette[static_cast<std::size_t>(entry & 15)];
}

ImageSize measureNotice(NoticeCanvas& canvas, std::string_view text) {
    const std::vector<std::string_view> lines = splitAtLineEnds(text);
    std::int32_t widest = 0;
    for (std::string_view line : lines) widest = std::max(widest, canvas.textWidth(line));
    return {widest, canvas.lineHeight() * static_cast<std::int32_t>(lines.size())};
}

ImageSize showNotice(std::string_view text, NoticeCanvas& canvas, RandomSource& random) {
    const ImageSize size = measureNotice(canvas, text);
    canvas.clearImage(size);
    const Rgb colour = paletteColour(randomBelow(random, 8) + 8);
    const std::int32_t lineHeight = canvas.lineHeight();
    std::int32_t y = 0;
    for (std::string_view line : splitAtLineEnds(text)) {
        canvas.drawText(0, y, line, colour);
        y += lineHeight;
    }
    return size;
}

std::string noPicturesText(std::string_view picturesFolderText) {
    std::string text = "You can put some favorite pictures to\r\n";
    text += picturesFolderText;
    text += ", but file format must\r\n"
            "be one of 'gif', 'jpg', or 'bmp'. Then\r\n"
            "you will make screen saver more colorful.";
    return text;
}

} // namespace almanix
