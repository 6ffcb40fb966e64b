#include "settings/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/rounding.h"

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

bool startsHexadecimal(std::string_view text) {
    return text.size() >= 2 && text[0] == '&' && (text[1] == 'h' || text[1] == 'H');
}

// A sign, digits with at most one decimal point, or "&h" and hexadecimal digits.
bool isNumber(std::string_view text) {
    if (text.size() > 2 && startsHexadecimal(text)) {
        for (char c : text.substr(2))
            if (hexDigitValue(c) < 0) return false;
        return true;
    }
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool seenDigit = false;
    bool seenPoint = false;
    for (char c : text) {
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

} // namespace

double numericTextValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;

    if (startsHexadecimal(text.substr(i))) {
        double value = 0;
        for (i += 2; i < text.size() && hexDigitValue(text[i]) >= 0; ++i) value = value * 16 + hexDigitValue(text[i]);
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

std::int16_t toInt16(double value) {
    const double rounded = roundHalfToEven(value);
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    if (rounded < lowest) return std::numeric_limits<std::int16_t>::min();
    if (rounded > highest) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> wholeNumberOf(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!isNumber(text)) return std::nullopt;
    const double rounded = roundHalfToEven(numericTextValue(text));
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace almanix
