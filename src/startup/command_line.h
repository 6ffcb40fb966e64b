#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace almanix {

// What a start is asked to do; anything but these words asks for nothing.
enum class RunMode { fullScreen, preview, setup, passwordChange, none };

// The argument text without surrounding spaces, in lower case, cut to two characters.
std::string modeWordOf(std::string_view argumentText);

RunMode runModeOf(std::string_view modeWord);

// The window handle that follows the mode word and one separator character:
// "/p 1234" and "/p:1234" both give 1234. Nothing when the text holds no number.
std::optional<std::int32_t> windowHandleOf(std::string_view argumentText);

} // namespace almanix
