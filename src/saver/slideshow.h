#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "saver/image_size.h"
#include "saver/random_source.h"

namespace almanix {

// Loads a picture file and stretches it into the moving image.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Opens the file as a picture and gives its size in pixels; nothing when
    // it is not a picture that can be read.
    virtual std::optional<ImageSize> loadPicture(const std::string& path) = 0;
    // The moving image takes the target size, with the loaded picture stretched
    // over all of it; false when the picture cannot be decoded. Once the load
    // has succeeded it may be asked more than once.
    virtual bool stretchPicture(ImageSize target) = 0;
};

// The size a picture is shown at on this screen: a small one at its own size or
// doubled, at random; one wider or taller than the screen at a third of it, in
// its own proportions; any other at its own size.
ImageSize targetSize(ImageSize picture, ImageSize screen, RandomSource& random);
// Under a fifth of the screen both ways.
bool isSmallPicture(ImageSize picture, ImageSize screen);

// The pictures of the pictures folder, shown in turn. Names that turn out not
// to be usable pictures are dropped for the rest of the run.
class Slideshow {
public:
    Slideshow(FileSystem& files, PictureLoader& loader, RandomSource& random);

    // The folder text, ending with its separator, and the picture names in it.
    void setPictures(std::string folder, std::vector<std::string> names);

    // Renders the next usable picture into the moving image and gives the size
    // it was shown at; nothing when no usable name is left.
    std::optional<ImageSize> showPicture(ImageSize screen);

    // The names still in the show, in the order they are shown.
    const std::vector<std::string>& pictureNames() const { return names_; }

private:
    std::int16_t count() const { return static_cast<std::int16_t>(names_.size()); }
    // Renders the name at index_; nothing when it is not a usable picture.
    std::optional<ImageSize> render(ImageSize screen);

    FileSystem& files_;
    PictureLoader& loader_;
    RandomSource& random_;
    std::string folder_;
    std::vector<std::string> names_;
    std::int16_t index_ = 0;
    // The names before this one have passed the check of their first bytes once.
    std::int16_t checkedCount_ = 0;
};

} // namespace almanix
