#include "saver/picture_files.h"

#include <algorithm>

#include "common/ascii_text.h"

namespace almanix {

bool fitsDecodeBudget(ImageSize decoded) {
    if (decoded.width < 0 || decoded.height < 0) return false;
    return static_cast<std::uint64_t>(decoded.width) * static_cast<std::uint64_t>(decoded.height) * 4 <=
           kPictureDecodeBudgetBytes;
}

PictureKind pictureKindOf(std::string_view bytes) {
    if (bytes.starts_with("GIF")) return PictureKind::gif;
    if (bytes.starts_with("BM")) return PictureKind::bitmap;
    if (bytes.starts_with("\xFF\xD8")) return PictureKind::jpeg;
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return PictureKind::png;
    return PictureKind::none;
}

bool hasPictureExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string extension = lowerCaseAscii(std::string_view(name).substr(dot + 1));
    return extension == "gif" || extension == "jpg" || extension == "jpeg" || extension == "bmp" || extension == "png";
}

std::vector<std::string> pictureNamesOf(const std::vector<std::string>& fileNames) {
    std::vector<std::string> names;
    for (const std::string& name : fileNames)
        if (hasPictureExtension(name)) names.push_back(name);
    // Names that differ only in case keep a fixed order too.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = lowerCaseAscii(a);
        const std::string lowerB = lowerCaseAscii(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return names;
}

} // namespace almanix
