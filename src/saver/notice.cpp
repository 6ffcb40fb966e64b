#include "saver/notice.h"

#include <algorithm>
#include <array>

namespace almanix {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

Rgb paletteColour(int entry) {
    static constexpr std::array<Rgb, 16> palette{{
        {0, 0, 0}, {0, 0, 128}, {0, 128, 0}, {0, 128, 128},
        {128, 0, 0}, {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255}, {0, 255, 0}, {0, 255, 255},
        {255, 0, 0}, {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    }};
    return palette[static_cast<std::size_t>(entry & 15)];
}

std::vector<std::string_view> noticeLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find(kLineEnd);
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + kLineEnd.size());
    }
}

ImageSize measureNotice(NoticeCanvas& canvas, std::string_view text) {
    const std::vector<std::string_view> lines = noticeLines(text);
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
    for (std::string_view line : noticeLines(text)) {
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
