#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace almanix {

inline constexpr std::int16_t kPictureKindGif = 1;
inline constexpr std::int16_t kPictureKindBitmap = 2;
inline constexpr std::int16_t kPictureKindJpeg = 3;
inline constexpr std::int16_t kPictureKindNone = 4;

// The kind of picture a file holds, told by its first bytes: "GIF" 1, "BM" 2,
// FF D8 3, anything else 4. A file that cannot be read is kind 4 too.
std::int16_t isPictureFile(FileSystem& files, const std::string& path);

// True for a name ending in .gif, .jpg or .bmp, in any letter case.
bool hasPictureExtension(const std::string& name);

// The picture names among a folder's file names, sorted by name with letter
// case ignored, so that every system shows them in the same order.
std::vector<std::string> pictureNamesOf(const std::vector<std::string>& fileNames);

} // namespace almanix
