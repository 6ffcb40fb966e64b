#include "saver/slideshow.h"

#include <limits>

#include "common/rounding.h"
#include "saver/picture_files.h"

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

Slideshow::Slideshow(PictureLoader& loader, RandomSource& random) : loader_(loader), random_(random) {
    loader_.answerTo(*this);
}

void Slideshow::setPictures(std::string folder, std::vector<std::string> names, ImageSize screen) {
    // The counts are 16-bit; a folder beyond that shows its first 32,767 names.
    if (names.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        names.resize(static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()));
    folder_ = std::move(folder);
    names_ = std::move(names);
    screen_ = screen;
    index_ = 0;
    checkedCount_ = 0;
    loadNext();
}

std::optional<ImageSize> Slideshow::showPicture() {
    if (step_ != Step::decoded) return std::nullopt;
    // Drawn only now, in the scene's turn, and only for a picture that decoded.
    const ImageSize target = isSmallPicture(picture_, screen_) ? targetSize(picture_, screen_, random_) : decodedSize_;
    loader_.showDecoded(target);
    loadNext();
    return target;
}

void Slideshow::loadNext() {
    if (count() == 0) {
        step_ = Step::noneLeft;
        return;
    }
    // The index advances before it is used, so a run starts at the second name.
    index_ = index_ + 1 < count() ? static_cast<std::int16_t>(index_ + 1) : std::int16_t{0};
    kindChecked_ = checkedCount_ < count();
    step_ = Step::inspecting;
    loader_.inspect(currentPath(), kindChecked_ ? kPictureSignatureBytes : 0);
}

void Slideshow::dropAndLoadNext() {
    names_.erase(names_.begin() + index_);
    loadNext();
}

void Slideshow::pictureInspected(const PictureFacts& facts) {
    if (step_ != Step::inspecting) return;
    if (kindChecked_) {
        if (!facts.firstBytes || pictureKindOf(*facts.firstBytes) == PictureKind::none) return dropAndLoadNext();
        ++checkedCount_;
    }
    if (!facts.size || facts.size->width < 1 || facts.size->height < 1) return dropAndLoadNext();
    picture_ = *facts.size;
    // A small picture decodes at its own size and is doubled, or not, when shown;
    // any other decodes straight to the size it is shown at.
    decodedSize_ = isSmallPicture(picture_, screen_) ? picture_ : targetSize(picture_, screen_, random_);
    // An image with no pixels on one side cannot be shown.
    if (decodedSize_.width < 1 || decodedSize_.height < 1) return dropAndLoadNext();
    step_ = Step::decoding;
    loader_.decode(currentPath(), decodedSize_);
}

void Slideshow::pictureDecoded(bool decoded) {
    if (step_ != Step::decoding) return;
    if (!decoded) return dropAndLoadNext();
    step_ = Step::decoded;
}

} // namespace almanix
