#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace almanix {

enum class PictureKind { gif, bitmap, jpeg, none };

// How many of a file's first bytes tell its kind.
inline constexpr std::size_t kPictureSignatureBytes = 10;

// The kind of picture a file holds, told by its first bytes: "GIF", "BM" or FF D8.
PictureKind pictureKindOf(std::string_view firstBytes);

// True for a name ending in .gif, .jpg or .bmp, in any letter case.
bool hasPictureExtension(const std::string& name);

// The picture names among a folder's file names, sorted by name with letter
// case ignored, so that every system shows them in the same order.
std::vector<std::string> pictureNamesOf(const std::vector<std::string>& fileNames);

} // namespace almanix
