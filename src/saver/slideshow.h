#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/image_size.h"
#include "saver/random_source.h"

namespace almanix {

// What the picture loader found out about a file.
struct PictureFacts {
    // The file's first bytes, when they were asked for and could be read.
    std::optional<std::string> firstBytes;
    // The picture's size in pixels; nothing when it is not a picture the loader can read.
    std::optional<ImageSize> size;
};

// Where a picture loader's answers go, on the saver's own thread.
class PictureAnswers {
public:
    virtual ~PictureAnswers() = default;
    virtual void pictureInspected(const PictureFacts& facts) = 0;
    // False when the picture could not be decoded.
    virtual void pictureDecoded(bool decoded) = 0;
};

// Reads and decodes pictures away from the saver's tick. Each request is
// answered later, in the order asked, through the answers it was given last.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual void answerTo(PictureAnswers& answers) = 0;
    // Reads the file's first bytes (as many as asked; none for 0) and its picture size.
    virtual void inspect(const std::string& path, std::size_t firstBytes) = 0;
    // Decodes the picture to this size, decoding less where the decoder can.
    virtual void decode(const std::string& path, ImageSize size) = 0;
    // The picture decoded last becomes the moving image, stretched to the target.
    virtual void showDecoded(ImageSize target) = 0;
};

// The size a picture is shown at on this screen: a small one at its own size or
// doubled, at random; one wider or taller than the screen at a third of it, in
// its own proportions; any other at its own size.
ImageSize targetSize(ImageSize picture, ImageSize screen, RandomSource& random);
// Under a fifth of the screen both ways.
bool isSmallPicture(ImageSize picture, ImageSize screen);

// The pictures of the pictures folder, shown in turn. Each is read, checked and
// decoded while the scene before it runs, so that its scene only swaps it in.
// Names that turn out not to be usable pictures are dropped for the rest of
// the run, and the next name is tried.
class Slideshow final : public PictureAnswers {
public:
    // The loader answers to this slideshow from now on.
    Slideshow(PictureLoader& loader, RandomSource& random);
    Slideshow(const Slideshow&) = delete;
    Slideshow& operator=(const Slideshow&) = delete;

    // The folder text, ending with its separator, the picture names in it, and
    // the screen they are shown on. The first picture starts loading at once.
    void setPictures(std::string folder, std::vector<std::string> names, ImageSize screen);

    // True when a picture scene can begin: its picture is decoded, or no usable name is left.
    bool ready() const { return step_ == Step::decoded || step_ == Step::noneLeft; }

    // Once ready: shows the decoded picture, starts loading the next one and
    // gives the size it is shown at; nothing when no usable name is left.
    std::optional<ImageSize> showPicture();

    void pictureInspected(const PictureFacts& facts) override;
    void pictureDecoded(bool decoded) override;

    // The names still in the show, in the order they are shown.
    const std::vector<std::string>& pictureNames() const { return names_; }

private:
    enum class Step { inspecting, decoding, decoded, noneLeft };

    std::int16_t count() const { return static_cast<std::int16_t>(names_.size()); }
    std::string currentPath() const { return folder_ + names_[static_cast<std::size_t>(index_)]; }
    // Advances to the next name and asks for its facts.
    void loadNext();
    // Drops the current name; the search goes on from its place.
    void dropAndLoadNext();

    PictureLoader& loader_;
    RandomSource& random_;
    std::string folder_;
    std::vector<std::string> names_;
    ImageSize screen_;
    std::int16_t index_ = 0;
    // The names before this one have passed the check of their first bytes once.
    std::int16_t checkedCount_ = 0;
    Step step_ = Step::noneLeft;
    bool kindChecked_ = false; // whether the current name's first bytes were asked for
    ImageSize picture_; // the current picture's own size
    ImageSize decodedSize_;
};

} // namespace almanix
