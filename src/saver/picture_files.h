#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saver/image_size.h"

namespace almanix {

enum class PictureKind { gif, bitmap, jpeg, png, none };

// What the pixels of one decoded picture may take, as Qt's readers allow by
// default: a picture beyond it (a file of a few bytes may claim 30000 x 30000
// pixels) is not shown.
inline constexpr std::uint64_t kPictureDecodeBudgetBytes = 256 * 1024 * 1024;

// True when a picture decoded at this size, four bytes a pixel, keeps within the budget.
bool fitsDecodeBudget(ImageSize decoded);

// How many of a file's first bytes tell its kind.
inline constexpr std::size_t kPictureSignatureBytes = 10;

// The kind of picture a file holds, told by its first bytes: "GIF", "BM", FF D8
// or the eight bytes that begin every PNG file.
PictureKind pictureKindOf(std::string_view firstBytes);

// True for a name ending in .gif, .jpg, .jpeg, .bmp or .png, in any letter case.
bool hasPictureExtension(const std::string& name);

// The picture names among a folder's file names, sorted by name with letter
// case ignored, so that every system shows them in the same order.
std::vector<std::string> pictureNamesOf(const std::vector<std::string>& fileNames);

} // namespace almanix
