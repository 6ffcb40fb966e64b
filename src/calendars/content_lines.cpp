#include "calendars/content_lines.h"

#include "common/calendar_date.h"

namespace almanix {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool continues(std::string_view rest) { return !rest.empty() && (rest.front() == ' ' || rest.front() == '\t'); }

// Digits of a fixed count as a number; nothing when one is not a digit.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Where the parameters end: the first colon outside quotes.
std::size_t valueColon(std::string_view line, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

} // namespace

UnfoldedLines::UnfoldedLines(std::string_view text) : rest_(text) {
    if (rest_.starts_with(kByteOrderMark)) rest_.remove_prefix(kByteOrderMark.size());
}

std::optional<std::string_view> UnfoldedLines::next() {
    if (rest_.empty()) return std::nullopt;
    const auto takeLine = [this] {
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        return line;
    };
    const std::string_view line = takeLine();
    if (!continues(rest_)) return line;
    joined_.assign(line);
    while (continues(rest_)) joined_.append(takeLine().substr(1));
    return std::string_view(joined_);
}

std::optional<ContentLine> parseContentLine(std::string_view line) {
    const std::size_t nameEnd = line.find_first_of(";:");
    if (nameEnd == 0 || nameEnd == std::string_view::npos) return std::nullopt;
    const std::size_t colon = line[nameEnd] == ':' ? nameEnd : valueColon(line, nameEnd);
    if (colon == std::string_view::npos) return std::nullopt;
    return ContentLine{line.substr(0, nameEnd), line.substr(nameEnd, colon - nameEnd), line.substr(colon + 1)};
}

std::optional<std::string_view> parameterValue(std::string_view parameters, std::string_view name) {
    while (!parameters.empty()) {
        parameters.remove_prefix(1); // the ';'
        bool quoted = false;
        std::size_t end = 0;
        for (; end < parameters.size() && (quoted || parameters[end] != ';'); ++end)
            if (parameters[end] == '"') quoted = !quoted;
        const std::string_view parameter = parameters.substr(0, end);
        parameters.remove_prefix(end);
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos || !equalIgnoringCase(parameter.substr(0, equals), name)) continue;
        std::string_view value = parameter.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::string unescapedText(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char escaped = value[++i];
            if (escaped == 'n' || escaped == 'N')
                text += ' ';
            else if (escaped == ',' || escaped == ';' || escaped == '\\')
                text += escaped;
            else
                text.append({c, escaped});
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            text += ' ';
        } else {
            text += c;
        }
    }
    return text;
}

std::optional<TimeValue> parseTimeValue(std::string_view text, std::string_view zone) {
    if (text.size() != 8 && text.size() != 15 && text.size() != 16) return std::nullopt;
    const std::optional<int> year = digits(text, 0, 4);
    const std::optional<int> month = digits(text, 4, 2);
    const std::optional<int> day = digits(text, 6, 2);
    if (!year || !month || !day || !isValidDate({*year, *month, *day})) return std::nullopt;
    TimeValue value{TimeKind::date, dayNumberOf({*year, *month, *day}) * 86400, {}};
    if (text.size() == 8) return value;
    const std::optional<int> hour = digits(text, 9, 2);
    const std::optional<int> minute = digits(text, 11, 2);
    const std::optional<int> second = digits(text, 13, 2);
    if ((text[8] != 'T' && text[8] != 't') || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    value.wall += *hour * 3600 + *minute * 60 + std::min(*second, 59);
    if (text.size() == 16) {
        if (text[15] != 'Z' && text[15] != 'z') return std::nullopt;
        value.kind = TimeKind::utc;
    } else if (!zone.empty()) {
        value.kind = TimeKind::zoned;
        value.zone = zone;
    } else {
        value.kind = TimeKind::floating;
    }
    return value;
}

std::optional<std::int64_t> parseDuration(std::string_view text) {
    std::int64_t sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    if (text.empty() || (text.front() != 'P' && text.front() != 'p')) return std::nullopt;
    text.remove_prefix(1);
    std::int64_t total = 0;
    bool timePart = false;
    bool anyPart = false;
    while (!text.empty()) {
        if (text.front() == 'T' || text.front() == 't') {
            timePart = true;
            text.remove_prefix(1);
            continue;
        }
        std::int64_t number = 0;
        std::size_t length = 0;
        for (; length < text.size() && text[length] >= '0' && text[length] <= '9'; ++length) {
            if (number > 100'000'000) return std::nullopt;
            number = number * 10 + (text[length] - '0');
        }
        if (length == 0 || length == text.size()) return std::nullopt;
        const char unit = lowerCaseAscii(text[length]);
        text.remove_prefix(length + 1);
        if (unit == 'w' && !timePart)
            total += number * 7 * 86400;
        else if (unit == 'd' && !timePart)
            total += number * 86400;
        else if (unit == 'h' && timePart)
            total += number * 3600;
        else if (unit == 'm' && timePart)
            total += number * 60;
        else if (unit == 's' && timePart)
            total += number;
        else
            return std::nullopt;
        anyPart = true;
    }
    if (!anyPart) return std::nullopt;
    return sign * total;
}

} // namespace almanix
