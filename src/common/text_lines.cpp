#include "common/text_lines.h"

namespace almanix {

std::vector<std::string_view> splitAtLineEnds(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t end = text.find(kLineEnd);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return parts;
        text.remove_prefix(end + kLineEnd.size());
    }
}

} // namespace almanix
