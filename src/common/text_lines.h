#pragma once

#include <string_view>
#include <vector>

namespace almanix {

// Lines end with CR LF in every text the program writes: the event file, the
// due events and the notices.
inline constexpr std::string_view kLineEnd = "\r\n";

// The parts of a text between its CR LF line ends: n line ends give n + 1
// parts, so a text that starts with CR LF has an empty first part and one that
// ends with CR LF an empty last part. A lone CR or LF is part of a line.
std::vector<std::string_view> splitAtLineEnds(std::string_view text);

} // namespace almanix
