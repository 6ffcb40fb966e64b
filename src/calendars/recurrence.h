#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanix {

enum class Frequency { secondly, minutely, hourly, daily, weekly, monthly, yearly };

// A weekday of BYDAY, with its place in the month or year ("-1FR", "2MO")
// or 0 for every one.
struct OrdinalWeekday {
    int ordinal = 0;
    int weekday = 1; // Sunday = 1 to Saturday = 7
};

// An RRULE value. Times are on the clock of the series' start.
struct RecurrenceRule {
    Frequency frequency = Frequency::daily;
    std::int64_t interval = 1;
    std::optional<std::int64_t> count;
    std::optional<std::string> until; // as written; its clock is the reader's to settle
    std::vector<int> bySecond;
    std::vector<int> byMinute;
    std::vector<int> byHour;
    std::vector<OrdinalWeekday> byDay;
    std::vector<int> byMonthDay;
    std::vector<int> byYearDay;
    std::vector<int> byWeekNumber;
    std::vector<int> byMonth;
    std::vector<int> bySetPosition;
    int weekStart = 2; // Monday
};

// Nothing when the value has no FREQ or a part that cannot be read; unknown
// parts are skipped.
std::optional<RecurrenceRule> parseRecurrenceRule(std::string_view value);

// Work that an expansion may still do, counted in candidate days and times;
// shared by the series of one calendar so that no input makes a reading long.
class ExpansionBudget {
public:
    explicit ExpansionBudget(std::int64_t steps) : steps_(steps) {}
    // False once the budget is spent.
    bool spend(std::int64_t steps) {
        steps_ -= steps;
        return steps_ >= 0;
    }
    bool spent() const { return steps_ < 0; }
    std::int64_t remaining() const { return steps_; }

private:
    std::int64_t steps_;
};

// The series: its start and rule, on one clock in seconds since 1970-01-01 00:00.
struct RecurrenceSeries {
    const RecurrenceRule& rule;
    std::int64_t start = 0;
    bool allDay = false; // times of day play no part
    std::optional<std::int64_t> until; // the last moment an occurrence may start
};

// Calls found with each start of the series in [rangeStart, rangeEnd), in
// order, the series' start being the first occurrence; found returns false to
// stop. Stops early, leaving the rest out, when the budget is spent.
void expandRecurrence(const RecurrenceSeries& series, std::int64_t rangeStart, std::int64_t rangeEnd,
                      ExpansionBudget& budget, const std::function<bool(std::int64_t)>& found);

} // namespace almanix
