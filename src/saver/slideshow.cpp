#include "saver/slideshow.h"

#include <limits>

#include "saver/picture_files.h"
#include "common/rounding.h"

namespace almanix {

namespace {

std::int32_t rounded(double value) { return static_cast<std::int32_t>(roundHalfToEven(value)); }

double ratio(std::int32_t part, std::int32_t whole) { return static_cast<double>(part) / whole; }

} // namespace

bool isSmallPicture(ImageSize picture, ImageSize screen) {
    return ratio(picture.width, screen.width) < 0.2 && ratio(picture.height, screen.height) < 0.2;
}

ImageSize targetSize(ImageSize picture, ImageSize screen, RandomSource& random) {
    const double widthShare = ratio(picture.width, screen.width);
    const double heightShare = ratio(picture.height, screen.height);
    if (isSmallPicture(picture, screen)) {
        const std::int32_t factor = randomBelow(random, 2) + 1;
        return {factor * picture.width, factor * picture.height};
    }
    if (widthShare > 1) {
        const std::int32_t width = rounded(screen.width / 3.0);
        return {width, rounded(static_cast<double>(width) * picture.height / picture.width)};
    }
    if (heightShare > 1) {
        const std::int32_t height = rounded(screen.height / 3.0);
        return {rounded(static_cast<double>(height) * picture.width / picture.height), height};
    }
    return picture;
}

Slideshow::Slideshow(FileSystem& files, PictureLoader& loader, RandomSource& random)
    : files_(files), loader_(loader), random_(random) {}

void Slideshow::setPictures(std::string folder, std::vector<std::string> names) {
    // The counts are 16-bit; a folder beyond that shows its first 32,767 names.
    if (names.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        names.resize(static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()));
    folder_ = std::move(folder);
    names_ = std::move(names);
    index_ = 0;
    checkedCount_ = 0;
}

std::optional<ImageSize> Slideshow::showPicture(ImageSize screen) {
    while (count() > 0) {
        // The index advances before it is used, so a run starts at the second name.
        index_ = index_ + 1 < count() ? static_cast<std::int16_t>(index_ + 1) : std::int16_t{0};
        if (const auto shown = render(screen)) return shown;
        // Dropped; the search goes on from the dropped name's place.
        names_.erase(names_.begin() + index_);
    }
    return std::nullopt;
}

std::optional<ImageSize> Slideshow::render(ImageSize screen) {
    const std::string path = folder_ + names_[static_cast<std::size_t>(index_)];
    if (checkedCount_ < count()) {
        if (pictureKindOf(files_, path) == PictureKind::none) return std::nullopt;
        ++checkedCount_;
    }
    const auto picture = loader_.loadPicture(path);
    if (!picture || picture->width < 1 || picture->height < 1) return std::nullopt;
    // A small picture is decoded before its scale is drawn, so that one that
    // cannot be decoded is dropped without taking a random number.
    const bool small = isSmallPicture(*picture, screen);
    if (small && !loader_.stretchPicture(*picture)) return std::nullopt;
    const ImageSize target = targetSize(*picture, screen, random_);
    if (small && target == *picture) return target;
    // An image with no pixels on one side cannot be shown.
    if (target.width < 1 || target.height < 1 || !loader_.stretchPicture(target)) return std::nullopt;
    return target;
}

} // namespace almanix
