#pragma once

#include <optional>

#include "events/date_pattern.h"
#include "events/short_date.h"

namespace almanix {

// The user's locale short date: GetDateFormatA to write, VarDateFromStr to read.
// An event's date must hold no space, so a locale whose short date has blanks
// ("yyyy. MM. dd.") writes and reads its numbers in its order without them.
class Win32ShortDate final : public ShortDate {
public:
    Win32ShortDate();

    std::string format(const CalendarDate& date) override;
    std::optional<CalendarDate> parse(std::string_view text) override;
    std::unique_ptr<ShortDate> copy() const override { return std::make_unique<Win32ShortDate>(*this); }

private:
    static std::optional<CalendarDate> parseAsLocale(std::string_view text);

    std::optional<DatePattern> withoutBlanks_;
};

} // namespace almanix
