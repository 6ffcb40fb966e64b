#include "saver/notice.h"

#include <algorithm>
#include <array>

#include "common/text_lines.h"

namespace almanix {

Rgb paletteColour(int entry) {
    static constexpr std::array<Rgb, 16> palette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    return palette[static_cast<std::size_t>(entry & 15)];
}

namespace {

constexpr std::string_view kCutMark = "...";

// A line is measured over at most this many bytes a pixel of the screen's
// width, so that a line of a megabyte is never laid out whole.
constexpr std::size_t kMeasuredBytesPerPixel = 4;

bool continuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The line as it fits the width: whole, or its longest beginning that fits
// with "..." after it. A cut never splits a UTF-8 character.
std::string fittedLine(NoticeCanvas& canvas, std::string_view line, std::int32_t width) {
    const std::size_t measurable = static_cast<std::size_t>(std::max(width, 0)) * kMeasuredBytesPerPixel;
    if (line.size() <= measurable && canvas.textWidth(line) <= width) return std::string(line);
    const auto cut = [line](std::size_t length) {
        while (length > 0 && length < line.size() && continuesCharacter(line[length])) --length;
        return std::string(line.substr(0, length)) + std::string(kCutMark);
    };
    // The longest beginning that fits, found by halves: widths grow with length.
    std::size_t fits = 0;
    std::size_t tooLong = std::min(line.size(), measurable) + 1;
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (canvas.textWidth(cut(middle)) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return cut(fits);
}

// Always two or more: the line itself takes the place of one.
std::string moreEventsLine(std::size_t count) { return "... and " + std::to_string(count) + " more events"; }

} // namespace

std::vector<std::string> noticeLines(NoticeCanvas& canvas, std::string_view text, ImageSize screen,
                                     std::size_t eventsBeyondText) {
    const std::vector<std::string_view> all = splitAtLineEnds(text);
    const std::size_t fitting = static_cast<std::size_t>(std::max(1, screen.height / std::max(1, canvas.lineHeight())));
    const bool cut = all.size() + eventsBeyondText > fitting;
    const std::size_t kept = cut ? std::min(fitting - 1, all.size()) : all.size();
    std::vector<std::string> lines;
    lines.reserve(kept + 1);
    for (std::size_t i = 0; i < kept; ++i) lines.push_back(fittedLine(canvas, all[i], screen.width));
    if (cut) lines.push_back(fittedLine(canvas, moreEventsLine(all.size() - kept + eventsBeyondText), screen.width));
    return lines;
}

ImageSize measureNotice(NoticeCanvas& canvas, const std::vector<std::string>& lines) {
    std::int32_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.textWidth(line));
    return {widest, canvas.lineHeight() * static_cast<std::int32_t>(lines.size())};
}

ImageSize showNotice(std::string_view text, ImageSize screen, NoticeCanvas& canvas, RandomSource& random,
                     std::size_t eventsBeyondText) {
    const std::vector<std::string> lines = noticeLines(canvas, text, screen, eventsBeyondText);
    const ImageSize size = measureNotice(canvas, lines);
    canvas.clearImage(size);
    const Rgb colour = paletteColour(randomBelow(random, 8) + 8);
    const std::int32_t lineHeight = canvas.lineHeight();
    std::int32_t y = 0;
    for (const std::string& line : lines) {
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
