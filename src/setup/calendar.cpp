#include "setup/calendar.h"

#include <utility>

namespace almanix {

bool CalendarOptions::get(CalendarOption option) const {
    switch (option) {
    case CalendarOption::monthReadOnly: return monthReadOnly;
    case CalendarOption::yearReadOnly: return yearReadOnly;
    case CalendarOption::showIterationButtons: return showIterationButtons;
    }
    return false;
}

void CalendarOptions::set(CalendarOption option, bool value) {
    switch (option) {
    case CalendarOption::monthReadOnly: monthReadOnly = value; break;
    case CalendarOption::yearReadOnly: yearReadOnly = value; break;
    case CalendarOption::showIterationButtons: showIterationButtons = value; break;
    }
}

std::optional<DateRange> pickableRange(const CalendarDate& picked, const CalendarOptions& options) {
    if (options.monthReadOnly) {
        const CalendarDate nextMonth =
            picked.month == 12 ? CalendarDate{picked.year + 1, 1, 1} : CalendarDate{picked.year, picked.month + 1, 1};
        return DateRange{{picked.year, picked.month, 1}, dateOfDayNumber(dayNumberOf(nextMonth) - 1)};
    }
    if (options.yearReadOnly) return DateRange{{picked.year, 1, 1}, {picked.year, 12, 31}};
    return std::nullopt;
}

Calendar::Calendar(CalendarControl& control, DateChanged dateChanged)
    : control_(control),
      dateChanged_(std::move(dateChanged)) {}

void Calendar::setOption(CalendarOption option, bool value) {
    options_.set(option, value);
    restrictAroundDate();
}

void Calendar::setDate(const CalendarDate& date) {
    if (!isValidDate(date)) return;
    // Lift the limits for this one move; they then hold around the new date.
    control_.restrict(std::nullopt, options_);
    control_.showDate(date);
    changeTo(date);
    restrictAroundDate();
}

void Calendar::picked(const CalendarDate& date) { changeTo(date); }

void Calendar::changeTo(const CalendarDate& date) {
    if (date == date_) return;
    date_ = date;
    if (dateChanged_) dateChanged_(date);
}

void Calendar::restrictAroundDate() { control_.restrict(pickableRange(date_, options_), options_); }

} // namespace almanix
