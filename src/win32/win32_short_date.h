#pragma once

#include "events/short_date.h"

namespace almanix {

// The user's locale short date: GetDateFormatA to write, VarDateFromStr to read.
class Win32ShortDate final : public ShortDate {
public:
    std::string format(const CalendarDate& date) override;
    std::optional<CalendarDate> parse(std::string_view text) override;
};

} // namespace almanix
