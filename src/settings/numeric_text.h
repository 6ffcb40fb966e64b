#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace almanix {

// The number at the start of a text: leading blanks skipped, an optional sign,
// digits with at most one decimal point, or "&h" and hexadecimal digits; reading
// stops at the first character that does not fit. No leading number gives 0.
double numericTextValue(std::string_view text);

// Rounded halves to even and limited to a signed 16-bit integer.
std::int16_t toInt16(double value);

// The number a text holds as its whole text, blanks around it aside, rounded
// halves to even; nothing when the text is not a number or the number does not
// fit a signed 16-bit integer.
std::optional<std::int16_t> wholeNumberOf(std::string_view text);

} // namespace almanix
