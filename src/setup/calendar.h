#pragma once

#include <functional>
#include <optional>

#include "common/calendar_date.h"

namespace almanix {

// The calendar's three display options, each mirrored by a check box.
enum class CalendarOption { monthReadOnly, yearReadOnly, showIterationButtons };
inline constexpr CalendarOption kCalendarOptions[] = {CalendarOption::monthReadOnly, CalendarOption::yearReadOnly,
                                                      CalendarOption::showIterationButtons};

struct CalendarOptions {
    bool monthReadOnly = false;
    bool yearReadOnly = false;
    bool showIterationButtons = true;

    bool get(CalendarOption option) const;
    void set(CalendarOption option, bool value);
};

struct DateRange {
    CalendarDate first;
    CalendarDate last;
};

// The dates the user may pick around the picked one: its month while the month
// is read-only, else its year while the year is; any date otherwise.
std::optional<DateRange> pickableRange(const CalendarDate& picked, const CalendarOptions& options);

// A month calendar control of a shell. It reports each date the user picks to
// Calendar::picked.
class CalendarControl {
public:
    virtual ~CalendarControl() = default;
    // Shows the date as the picked one, without reporting it as a pick.
    virtual void showDate(const CalendarDate& date) = 0;
    // Lets the user pick only within the range, or any date when there is none,
    // and use only what the options allow (the month-stepping arrows).
    virtual void restrict(const std::optional<DateRange>& range, const CalendarOptions& options) = 0;
};

// The events dialog's calendar, whatever control shows it: the picked date, the
// options and the limits they set. Month read-only keeps the user on the month
// shown, year read-only on the year shown.
class Calendar {
public:
    using DateChanged = std::function<void(const CalendarDate& newDate)>;

    Calendar(CalendarControl& control, DateChanged dateChanged);

    const CalendarDate& date() const { return date_; }
    const CalendarOptions& options() const { return options_; }
    void setOption(CalendarOption option, bool value);

    // A date the program sets: taken whatever the options hold, reported like a
    // pick, and then the limits hold around it.
    void setDate(const CalendarDate& date);
    // The user picked a date on the control.
    void picked(const CalendarDate& date);

private:
    void changeTo(const CalendarDate& date);
    void restrictAroundDate();

    CalendarControl& control_;
    DateChanged dateChanged_;
    CalendarDate date_;
    CalendarOptions options_;
};

} // namespace almanix
