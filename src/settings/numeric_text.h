#pragma once

#include <cstdint>
#include <string_view>

namespace almanix {

// The number at the start of a text: leading blanks skipped, an optional sign,
// digits with at most one decimal point, or "&h" and hexadecimal digits; reading
// stops at the first character that does not fit. No leading number gives 0.
double numericTextValue(std::string_view text);

// To the nearest whole number, halves to the even neighbour.
double roundHalfToEven(double value);

// Rounded as above and limited to a signed 16-bit integer.
std::int16_t toInt16(double value);

} // namespace almanix
