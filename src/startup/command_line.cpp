#include "startup/command_line.h"

#include <charconv>

namespace almanix {

namespace {

std::string_view withoutSurroundingSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

} // namespace

std::string modeWordOf(std::string_view argumentText) {
    std::string word(withoutSurroundingSpaces(argumentText).substr(0, 2));
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return word;
}

RunMode runModeOf(std::string_view modeWord) {
    if (modeWord.empty() || modeWord == "/s") return RunMode::fullScreen;
    if (modeWord == "/p") return RunMode::preview;
    if (modeWord == "/c") return RunMode::setup;
    if (modeWord == "/a") return RunMode::passwordChange;
    return RunMode::none;
}

std::optional<std::int32_t> windowHandleOf(std::string_view argumentText) {
    if (argumentText.size() < 3) return std::nullopt;
    std::string_view number = withoutSurroundingSpaces(argumentText.substr(3));
    if (number.starts_with('+') && !number.substr(1).starts_with('-')) number.remove_prefix(1);
    std::int32_t handle = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), handle);
    if (error != std::errc{} || end != number.data() + number.size() || number.empty())
        return std::nullopt;
    return handle;
}

} // namespace almanix
