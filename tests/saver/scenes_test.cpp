#include <gtest/gtest.h>

#include "saver/notice.h"
#include "saver/picture_files.h"
#include "saver/picture_orientation.h"
#include "saver/slideshow.h"
#include "saver_fakes.h"
#include "support/fakes.h"
#include "support/picture_bytes.h"

namespace almanix {
namespace {

using testing::CellCanvas;
using testing::exifOrientationSegment;
using testing::FakePictureLoader;
using testing::MemoryFileSystem;
using testing::progressiveJpegBytes;
using testing::ScriptedRandom;

TEST(PictureFiles, KindComesFromTheFirstBytes) {
    using enum PictureKind;
    // The last PNG's line ends were changed on the way.
    const std::pair<PictureKind, std::vector<std::string>> cases[] = {
        {gif, {"GIF89a\x01\x00", "GIF"}},
        {bitmap, {"BM\x36\x00", "BM"}},
        {jpeg, {"\xFF\xD8\xFF\xE0", "\xFF\xD8"}},
        {png, {"\x89PNG\r\n\x1A\n"}},
        {none,
         {"GIf89a", "gif", "B", "\xFF", "\xD8\xFF", "", "just some text", std::string("\0BM", 3), "\x89PNG\r\n\x1A",
          "\x89PNG\n\x1A\n"}},
    };
    for (const auto& [kind, starts] : cases)
        for (const std::string& bytes : starts) EXPECT_EQ(pictureKindOf(bytes), kind) << bytes;
}

TEST(PictureFiles, NamesAreFilteredByExtensionAndSortedIgnoringCase) {
    EXPECT_EQ(pictureNamesOf({"b.JPG", "c.txt", "A.gif", "noext", "x.jpeg", "Z.Bmp", "a.bmp", "gif", "a.BMP", ".gif",
                              "pic.gif.txt", "p.PNG", "y.jpe", "\xE5\x86\x99\xE7\x9C\x9F.jpg", "\xFF\xFE.png"}),
              (std::vector<std::string>{".gif", "a.BMP", "a.bmp", "A.gif", "b.JPG", "p.PNG", "x.jpeg", "Z.Bmp",
                                        "\xE5\x86\x99\xE7\x9C\x9F.jpg", "\xFF\xFE.png"}));
}

TEST(Slideshow, TargetSizeRules) {
    // Each row: the picture and the screen, the chance drawn (none when below 0), and the size shown.
    const std::tuple<const char*, ImageSize, ImageSize, float, ImageSize> cases[] = {
        {"small, single", {100, 50}, {1024, 768}, 0.49f, {100, 50}},
        {"small, doubled", {100, 50}, {1024, 768}, 0.5f, {200, 100}},
        {"both sides just under a fifth", {204, 153}, {1024, 768}, 0.9f, {408, 306}},
        {"exactly a fifth of the width is not small", {256, 100}, {1280, 1024}, -1, {256, 100}},
        {"only one side small", {100, 700}, {1024, 768}, -1, {100, 700}},
        {"too wide, halves round to even", {2046, 15}, {1024, 768}, -1, {341, 2}},
        {"too wide wins over too tall", {1100, 2200}, {1024, 768}, -1, {341, 682}},
        {"as big as the screen", {1024, 768}, {1024, 768}, -1, {1024, 768}},
    };
    for (const auto& [name, picture, screen, draw, shown] : cases) {
        SCOPED_TRACE(name);
        ScriptedRandom random;
        if (draw >= 0) random.draws = {draw};
        EXPECT_EQ(targetSize(picture, screen, random), shown);
        EXPECT_TRUE(random.allUsed());
    }
}

struct Pictures : ::testing::Test {
    MemoryFileSystem files;
    FakePictureLoader loader{files};
    ScriptedRandom random;
    Slideshow slideshow{loader, random};
    const std::string folder = "C:\\Almanix\\pics\\";
    const ImageSize screen{1024, 768};

    void add(const std::string& name, std::string bytes = "BM...", ImageSize size = {400, 300}) {
        files.files[folder + name] = std::move(bytes);
        loader.sizes[folder + name] = size;
    }
    void setPictures(std::vector<std::string> names) {
        slideshow.setPictures(folder, std::move(names), screen);
        EXPECT_TRUE(slideshow.ready());
    }
    // The names shown by the next calls; "-" for the help notice.
    std::vector<std::string> show(int count) {
        std::vector<std::string> shown;
        for (int i = 0; i < count; ++i) {
            const std::size_t before = loader.shown.size();
            const bool rendered = slideshow.showPicture().has_value();
            EXPECT_EQ(loader.shown.size(), before + (rendered ? 1 : 0));
            shown.push_back(rendered ? loader.current.substr(folder.size()) : "-");
        }
        return shown;
    }
};

TEST_F(Pictures, UnusableNamesAreDroppedAndTheNextTriedInTheSameCall) {
    add("a.gif", "GIF89a");
    add("b.jpg", "this is text"); // kind 4
    add("c.bmp");
    add("d.gif", "BM.."); // kind 2 whatever the name says
    add("e.jpg", "\xFF\xD8\xFF", {100, 50}); // passes the kind check but cannot be decoded: no draw
    loader.undecodable.insert(folder + "e.jpg");
    add("f.bmp");
    loader.sizes.erase(folder + "f.bmp"); // the loader cannot read it at all
    setPictures({"a.gif", "b.jpg", "c.bmp", "d.gif", "e.jpg", "f.bmp"});

    // b goes, and the search goes on from its place: c now stands there and is passed over.
    // e, loaded while d shows, passes the check but not the decoding.
    EXPECT_EQ(show(1), (std::vector<std::string>{"d.gif"}));
    EXPECT_EQ(slideshow.pictureNames(), (std::vector<std::string>{"a.gif", "c.bmp", "d.gif", "f.bmp"}));
    // f cannot be loaded at all.
    EXPECT_EQ(show(4), (std::vector<std::string>{"a.gif", "c.bmp", "d.gif", "a.gif"}));
    EXPECT_EQ(slideshow.pictureNames(), (std::vector<std::string>{"a.gif", "c.bmp", "d.gif"}));
}

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

const ImageSize kScreen{1024, 768};

// Which lines a text gives is the cut's table below; the shells' tests measure
// the block with their fonts. Here where each line is drawn, and in which
// colour at the ends of the draw; the end-to-end runs see those between.
TEST(Notice, IsExactlyTheTextBlockInABrightPaletteColour) {
    const std::pair<float, Rgb> draws[] = {
        {0.0f, {128, 128, 128}}, {0.124f, {128, 128, 128}}, {0.125f, {0, 0, 255}}, {0.99999994f, {255, 255, 255}}};
    for (const auto& [draw, colour] : draws) {
        CellCanvas canvas;
        ScriptedRandom random{draw};
        // The widest line need not be the last.
        EXPECT_EQ(showNotice("\r\nwide line\r\nx", kScreen, canvas, random), (ImageSize{90, 60}));
        EXPECT_EQ(canvas.cleared, (ImageSize{90, 60}));
        std::vector<std::tuple<std::int32_t, std::int32_t, std::string, Rgb>> drawn;
        for (const auto& line : canvas.drawn) drawn.emplace_back(line.x, line.y, line.line, line.colour);
        EXPECT_EQ(drawn, (decltype(drawn){{0, 0, "", colour}, {0, 20, "wide line", colour}, {0, 40, "x", colour}}))
            << draw;
    }
}

// Whatever the text, the notice is no bigger than the screen: here 30 cells
// wide and 3 lines tall.
TEST(Notice, IsCutToTheScreen) {
    const std::string tooWide(40, 'x');
    std::string twoBytes;
    for (int i = 0; i < 20; ++i) twoBytes += "\xC3\xA9";
    const std::string megabyte(1 << 20, 'm');
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"fits", "\r\n" + std::string(30, 'a') + "\r\nb", {"", std::string(30, 'a'), "b"}},
        {"a lone CR or LF does not break the line", "a\rb\nc", {"a\rb\nc"}},
        {"too many lines", "\r\n1\r\n2\r\n3\r\n4", {"", "1", "... and 3 more events"}},
        {"too wide", tooWide, {std::string(27, 'x') + "..."}},
        {"a character is never split", twoBytes, {twoBytes.substr(0, 26) + "..."}},
        {"a megabyte on one line", megabyte + "\r\nend", {std::string(27, 'm') + "...", "end"}},
    };
    for (const auto& [name, text, lines] : cases) {
        CellCanvas canvas;
        EXPECT_EQ(noticeLines(canvas, text, {300, 60}), lines) << name;
    }
}

} // namespace
} // namespace almanix
