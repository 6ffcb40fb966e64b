#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"

namespace almanix {

enum class PictureKind { gif, bitmap, jpeg, none };

// The kind of picture a file holds, told by its first bytes: "GIF", "BM" or
// FF D8. A file that cannot be read holds none.
PictureKind pictureKindOf(FileSystem& files, const std::string& path);

// True for a name ending in .gif, .jpg or .bmp, in any letter case.
bool hasPictureExtension(const std::string& name);

// The picture names among a folder's file names, sorted by name with letter
// case ignored, so that every system shows them in the same order.
std::vector<std::string> pictureNamesOf(const std::vector<std::string>& fileNames);

} // namespace almanix
