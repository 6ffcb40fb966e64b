#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Names are compared with its equalIgnoringCase.
#include "common/ascii_text.h"

namespace almanix {

// The logical lines of an iCalendar text: a line that goes on in the next ones
// (each starting with a space or a tab) is joined with them; lines end with
// CR LF or LF; a UTF-8 byte order mark before the first is skipped.
class UnfoldedLines {
public:
    explicit UnfoldedLines(std::string_view text);
    // The next logical line, valid until the next call; nothing at the end.
    std::optional<std::string_view> next();

private:
    std::string_view rest_;
    std::string joined_;
};

// NAME;PARAMETER=VALUE;...:VALUE
struct ContentLine {
    std::string_view name;
    std::string_view parameters; // each preceded by ';', as written
    std::string_view value;
};

// Nothing for a line without a name or a colon.
std::optional<ContentLine> parseContentLine(std::string_view line);

// The value of a parameter without its quotes; nothing when it is absent.
std::optional<std::string_view> parameterValue(std::string_view parameters, std::string_view name);

// A TEXT value unescaped and on one line: "\n" and control characters become
// spaces.
std::string unescapedText(std::string_view value);

// The clock a time is read on.
enum class TimeKind { date, floating, utc, zoned };

// A DATE or DATE-TIME value.
struct TimeValue {
    TimeKind kind = TimeKind::floating;
    std::int64_t wall = 0; // seconds since 1970-01-01 00:00 on its own clock; midnight for a date
    std::string zone; // the TZID, for a zoned time
};

// Nothing when the text is neither YYYYMMDD nor YYYYMMDDTHHMMSS[Z].
std::optional<TimeValue> parseTimeValue(std::string_view text, std::string_view zone);

// A DURATION value ("P1W", "-PT15M", "P1DT2H") in seconds, a day counted as 86400.
std::optional<std::int64_t> parseDuration(std::string_view text);

} // namespace almanix
