#include "settings/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace almanix {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigitValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

double numericTextValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;

    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'h' || text[i + 1] == 'H')) {
        double value = 0;
        for (i += 2; i < text.size() && hexDigitValue(text[i]) >= 0; ++i)
            value = value * 16 + hexDigitValue(text[i]);
        return value;
    }

    double sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') sign = -1;
        ++i;
    }
    const std::size_t start = i;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else if (!isDigit(text[i])) {
            break;
        }
    }
    double value = 0;
    // from_chars reads the decimal point whatever the locale says.
    const auto result = std::from_chars(text.data() + start, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) return sign * HUGE_VAL;
    if (result.ec != std::errc{}) return 0;
    return sign * value;
}

double roundHalfToEven(double value) { return std::nearbyint(value); }

std::int16_t toInt16(double value) {
    const double rounded = roundHalfToEven(value);
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    if (rounded < lowest) return std::numeric_limits<std::int16_t>::min();
    if (rounded > highest) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

} // namespace almanix
