#include <gtest/gtest.h>

#include "saver/picture_files.h"
#include "saver/slideshow.h"
#include "saver_fakes.h"
#include "support/fakes.h"

namespace almanix {
namespace {

using testing::FakePictureLoader;
using testing::MemoryFileSystem;
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

// The plainly too wide and too tall pictures are in the recorded run of scenes.
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

TEST_F(Pictures, WithNoUsableNameLeftTheHelpNoticeShows) {
    add("a.jpg", "text");
    files.files[folder + "b.gif"] = "GIF"; // passes the check, but no loader knows it
    setPictures({"a.jpg", "b.gif", "c.bmp"}); // c has been deleted since
    EXPECT_EQ(show(2), (std::vector<std::string>{"-", "-"}));
    EXPECT_TRUE(slideshow.pictureNames().empty());
}

} // namespace
} // namespace almanix
