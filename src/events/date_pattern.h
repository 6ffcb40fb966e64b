#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events/short_date.h"

namespace almanix {

// A numeric short date in a locale's order of day, month and year, with a
// four-digit year and no spaces, such as 12/06/2026 or 06.12.2026.
class DatePattern final : public ShortDate {
public:
    enum class Field { day, month, year };

    DatePattern(std::array<Field, 3> order, char separator);

    // The order and separator of a POSIX date format such as "%m/%d/%y" or
    // "%d.%m.%Y"; month/day/year with "/" when the format shows no numeric date.
    static DatePattern fromPosixFormat(std::string_view format);

    // The order and separator of a Windows short-date picture such as
    // "yyyy. MM. dd." or "d/M/yyyy"; nothing when it lacks a field.
    static std::optional<DatePattern> fromWindowsPicture(std::string_view picture);

    std::string format(const CalendarDate& date) override;
    std::optional<CalendarDate> parse(std::string_view text) override;
    std::unique_ptr<ShortDate> copy() const override { return std::make_unique<DatePattern>(*this); }

    // The dates that the three numbers of a text such as "12/09/2026" or
    // "2026.12.09." make in each order of day, month and year, by the same
    // rules as parse; none when the text is not three numbers with separators.
    static std::vector<CalendarDate> readingsInEveryOrder(std::string_view text);

    std::array<Field, 3> order() const { return order_; }
    char separator() const { return separator_; }

private:
    std::array<Field, 3> order_;
    char separator_;
};

} // namespace almanix
