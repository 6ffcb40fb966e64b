#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace almanix {

// Links, headers, calendar names, option words, registry names and file
// extensions are ASCII and compared without case; no locale may change that.
inline bool isAsciiLetter(char character) {
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}
inline bool isAsciiDigit(char character) { return character >= '0' && character <= '9'; }
inline char lowerCaseAscii(char character) {
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
}
inline std::string lowerCaseAscii(std::string_view text) {
    std::string lower(text);
    for (char& character : lower) character = lowerCaseAscii(character);
    return lower;
}
inline bool equalIgnoringCase(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) return false;
    for (std::size_t at = 0; at < left.size(); ++at)
        if (lowerCaseAscii(left[at]) != lowerCaseAscii(right[at])) return false;
    return true;
}
inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Spaces, tabs and line breaks: what a pasted line or a whole text may carry around it.
constexpr std::string_view kSpaceAndLineBreaks = " \t\r\n";

// The text without those characters at either end: spaces and tabs unless told.
inline std::string_view withoutSpaceAround(std::string_view text, std::string_view spaces = " \t") {
    const std::size_t start = text.find_first_not_of(spaces);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(spaces) - start + 1);
}

// "07" for 7: times and dates in the program's own texts.
inline std::string twoDigits(int number) {
    const int kept = number < 0 ? 0 : number % 100;
    return {static_cast<char>('0' + kept / 10), static_cast<char>('0' + kept % 10)};
}

// As HTTP dates and the state words write the months.
inline constexpr std::array<std::string_view, 12> kMonthAbbreviations{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A number of at most `digits` decimal digits filling the whole text.
inline std::optional<std::int64_t> numberOfDigits(std::string_view text, std::size_t digits) {
    if (text.empty() || text.size() > digits) return std::nullopt;
    std::int64_t number = 0;
    for (char character : text) {
        if (!isAsciiDigit(character)) return std::nullopt;
        number = number * 10 + (character - '0');
    }
    return number;
}

} // namespace almanix
