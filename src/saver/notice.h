#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saver/image_size.h"
#include "saver/random_source.h"

namespace almanix {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An entry 0..15 of the standard 16-colour palette; entry 0 is the saver's black.
Rgb paletteColour(int entry);

// The moving image as a text canvas, in the notice font: bold Arial, 15.75 pt.
class NoticeCanvas {
public:
    virtual ~NoticeCanvas() = default;
    virtual std::int32_t textWidth(std::string_view line) = 0;
    virtual std::int32_t lineHeight() = 0;
    // The image takes this size and turns all black.
    virtual void clearImage(ImageSize size) = 0;
    // One line of text with its top-left corner at (x, y), on no background of its own.
    virtual void drawText(std::int32_t x, std::int32_t y, std::string_view line, Rgb colour) = 0;
};

// The lines a notice shows on a screen of this size, so that its image is never
// bigger than the screen whatever the text. Lines end at CR LF, so the due
// events' leading CR LF gives an empty first line. Past the lines that fit the
// screen's height, the last one kept says how many more events there are; a
// line wider than the screen is cut to end in "...". Events counted but not in
// the text are told in that last line too.
std::vector<std::string> noticeLines(NoticeCanvas& canvas, std::string_view text, ImageSize screen,
                                     std::size_t eventsBeyondText = 0);

// The text block's size: its widest line by all its lines.
ImageSize measureNotice(NoticeCanvas& canvas, const std::vector<std::string>& lines);

// Renders the text's notice lines into the moving image, sized exactly to them,
// in a random bright colour on black. Returns the image's size.
ImageSize showNotice(std::string_view text, ImageSize screen, NoticeCanvas& canvas, RandomSource& random,
                     std::size_t eventsBeyondText = 0);

// The help shown when there is no picture, naming the folder where pictures go.
std::string noPicturesText(std::string_view picturesFolderText);

} // namespace almanix
