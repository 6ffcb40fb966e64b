#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/calendar_date.h"

namespace almanix {

// The platform's short-date text: what the events dialog writes before each
// event and what the due-event check reads back. Both directions must agree.
class ShortDate {
public:
    virtual ~ShortDate() = default;
    virtual std::string format(const CalendarDate& date) = 0;
    // Nothing when the text is not a date.
    virtual std::optional<CalendarDate> parse(std::string_view text) = 0;
    // The same conversion, for another thread to own.
    virtual std::unique_ptr<ShortDate> copy() const = 0;
};

} // namespace almanix
