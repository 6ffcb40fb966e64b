#include "events/date_pattern.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace almanix {

namespace {

using Field = DatePattern::Field;

std::optional<Field> fieldOfConversion(char conversion) {
    switch (conversion) {
    case 'd':
    case 'e': return Field::day;
    case 'm':
    case 'b':
    case 'B':
    case 'h': return Field::month;
    case 'y':
    case 'Y':
    case 'C':
    case 'G':
    case 'g': return Field::year;
    default: return std::nullopt;
    }
}

std::string expandedFormat(std::string_view format) {
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'D') {
            result += "%m/%d/%y";
            ++i;
        } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'F') {
            result += "%Y-%m-%d";
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

bool isPlainSeparator(char c) { return c == '/' || c == '.' || c == '-'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> readNumber(std::string_view text, std::size_t maximumDigits) {
    if (text.empty() || text.size() > maximumDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The date that three numbers make in an order; nothing when one does not fit
// its field or they make no date.
std::optional<CalendarDate> dateOfNumbers(const std::array<Field, 3>& order,
                                          const std::array<std::string_view, 3>& numbers) {
    CalendarDate date;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto number = readNumber(numbers[i], order[i] == Field::year ? 4 : 2);
        if (!number) return std::nullopt;
        switch (order[i]) {
        case Field::day: date.day = *number; break;
        case Field::month: date.month = *number; break;
        case Field::year:
            // Two digits read as 1930..2029, as the Windows short date does.
            date.year = numbers[i].size() <= 2 ? (*number < 30 ? 2000 + *number : 1900 + *number) : *number;
            break;
        }
    }
    if (!isValidDate(date) || date.year < 1) return std::nullopt;
    return date;
}

} // namespace

DatePattern::DatePattern(std::array<Field, 3> order, char separator) : order_(order), separator_(separator) {}

DatePattern DatePattern::fromPosixFormat(std::string_view format) {
    const std::string expanded = expandedFormat(format);
    std::vector<Field> fields;
    char separator = 0;
    for (std::size_t i = 0; i < expanded.size(); ++i) {
        if (expanded[i] != '%') {
            if (fields.size() == 1 && separator == 0 && isPlainSeparator(expanded[i])) separator = expanded[i];
            continue;
        }
        // Skip flags, width and the E and O modifiers to reach the conversion.
        ++i;
        while (i < expanded.size() && std::string_view("-_0^#EO123456789").find(expanded[i]) != std::string_view::npos)
            ++i;
        if (i >= expanded.size()) break;
        if (auto field = fieldOfConversion(expanded[i])) fields.push_back(*field);
    }
    const bool complete =
        fields.size() == 3 && fields[0] != fields[1] && fields[1] != fields[2] && fields[0] != fields[2];
    if (!complete) return DatePattern({Field::month, Field::day, Field::year}, '/');
    return DatePattern({fields[0], fields[1], fields[2]}, separator ? separator : '/');
}

std::optional<DatePattern> DatePattern::fromWindowsPicture(std::string_view picture) {
    std::vector<Field> fields;
    char separator = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        const bool repeat = i > 0 && picture[i - 1] == c;
        if ((c == 'd' || c == 'M' || c == 'y') && !repeat)
            fields.push_back(c == 'd' ? Field::day : c == 'M' ? Field::month : Field::year);
        else if (fields.size() == 1 && separator == 0 && isPlainSeparator(c))
            separator = c;
    }
    if (fields.size() != 3 || fields[0] == fields[1] || fields[1] == fields[2] || fields[0] == fields[2])
        return std::nullopt;
    return DatePattern({fields[0], fields[1], fields[2]}, separator ? separator : '/');
}

std::string DatePattern::format(const CalendarDate& date) {
    std::string text;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (i > 0) text += separator_;
        char digits[16];
        switch (order_[i]) {
        case Field::day: std::snprintf(digits, sizeof digits, "%02d", date.day); break;
        case Field::month: std::snprintf(digits, sizeof digits, "%02d", date.month); break;
        case Field::year: std::snprintf(digits, sizeof digits, "%04d", date.year); break;
        }
        text += digits;
    }
    return text;
}

std::optional<CalendarDate> DatePattern::parse(std::string_view text) {
    std::array<std::string_view, 3> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        const std::size_t end = last ? text.size() : text.find(separator_);
        if (end == std::string_view::npos) return std::nullopt;
        parts[i] = text.substr(0, end);
        text.remove_prefix(last ? end : end + 1);
    }
    return dateOfNumbers(order_, parts);
}

std::vector<CalendarDate> DatePattern::readingsInEveryOrder(std::string_view text) {
    std::vector<std::string_view> numbers;
    if (text.empty() || !isDigit(text.front())) return {};
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i])) ++i;
        numbers.push_back(text.substr(start, i - start));
        while (i < text.size() && !isDigit(text[i])) ++i;
    }
    if (numbers.size() != 3) return {};
    std::vector<CalendarDate> readings;
    std::array<Field, 3> order{Field::day, Field::month, Field::year};
    do {
        if (auto date = dateOfNumbers(order, {numbers[0], numbers[1], numbers[2]})) readings.push_back(*date);
    } while (std::next_permutation(order.begin(), order.end()));
    return readings;
}

} // namespace almanix
