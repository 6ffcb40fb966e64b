#include "calendars/recurrence.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "calendars/content_lines.h"
#include "common/calendar_date.h"

namespace almanix {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return (a >= 0 ? a : a - b + 1) / b; }
std::int64_t ceilingDivide(std::int64_t a, std::int64_t b) { return -floorDivide(-a, b); }

bool contains(const std::vector<int>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

int weekdayOfDay(std::int64_t day) { return static_cast<int>(((day % 7 + 7) % 7 + 4) % 7) + 1; }

std::int64_t firstDayOfYear(std::int64_t year) { return dayNumberOf({static_cast<int>(year), 1, 1}); }

std::int64_t firstDayOfMonth(std::int64_t monthIndex) {
    return dayNumberOf({static_cast<int>(floorDivide(monthIndex, 12)), static_cast<int>(monthIndex % 12 + 1), 1});
}

constexpr std::array<std::string_view, 7> kWeekdayCodes{"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::optional<int> weekdayOfCode(std::string_view code) {
    for (std::size_t i = 0; i < kWeekdayCodes.size(); ++i)
        if (equalIgnoringCase(code, kWeekdayCodes[i])) return static_cast<int>(i) + 1;
    return std::nullopt;
}

std::optional<std::int64_t> integer(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A comma-separated list of numbers within [-largest, largest] (or
// [smallest, largest] when smallest >= 0), without 0; sorted, each once.
bool readNumberList(std::string_view text, int smallest, int largest, std::vector<int>& values) {
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<std::int64_t> value = integer(text.substr(0, comma));
        const std::int64_t low = smallest >= 0 ? smallest : -largest;
        if (!value || *value < low || *value > largest || (smallest < 0 && *value == 0)) return false;
        values.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return true;
}

bool readWeekdayList(std::string_view text, std::vector<OrdinalWeekday>& values) {
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        if (item.size() < 2) return false;
        const std::optional<int> weekday = weekdayOfCode(item.substr(item.size() - 2));
        const std::string_view ordinalText = item.substr(0, item.size() - 2);
        const std::optional<std::int64_t> ordinal = ordinalText.empty() ? 0 : integer(ordinalText);
        if (!weekday || !ordinal || *ordinal < -53 || *ordinal > 53 || (*ordinal == 0 && !ordinalText.empty()))
            return false;
        values.push_back({static_cast<int>(*ordinal), *weekday});
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

std::optional<Frequency> frequencyOf(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, Frequency>, 7> names{{{"SECONDLY", Frequency::secondly},
                                                                           {"MINUTELY", Frequency::minutely},
                                                                           {"HOURLY", Frequency::hourly},
                                                                           {"DAILY", Frequency::daily},
                                                                           {"WEEKLY", Frequency::weekly},
                                                                           {"MONTHLY", Frequency::monthly},
                                                                           {"YEARLY", Frequency::yearly}}};
    for (const auto& [name, frequency] : names)
        if (equalIgnoringCase(text, name)) return frequency;
    return std::nullopt;
}

bool readPart(std::string_view key, std::string_view value, RecurrenceRule& rule, bool& hasFrequency) {
    if (equalIgnoringCase(key, "FREQ")) {
        const std::optional<Frequency> frequency = frequencyOf(value);
        if (frequency) rule.frequency = *frequency;
        hasFrequency = frequency.has_value();
        return hasFrequency;
    }
    if (equalIgnoringCase(key, "INTERVAL") || equalIgnoringCase(key, "COUNT")) {
        const std::optional<std::int64_t> number = integer(value);
        if (!number || *number < 1) return false;
        if (equalIgnoringCase(key, "COUNT"))
            rule.count = *number;
        else
            rule.interval = std::min<std::int64_t>(*number, 1'000'000'000);
        return true;
    }
    if (equalIgnoringCase(key, "UNTIL")) {
        rule.until = std::string(value);
        return true;
    }
    if (equalIgnoringCase(key, "WKST")) {
        const std::optional<int> weekday = weekdayOfCode(value);
        if (weekday) rule.weekStart = *weekday;
        return weekday.has_value();
    }
    if (equalIgnoringCase(key, "BYDAY")) return readWeekdayList(value, rule.byDay);
    struct NumberList {
        std::string_view key;
        std::vector<int> RecurrenceRule::*values;
        int smallest;
        int largest;
    };
    constexpr std::array<NumberList, 8> lists{{{"BYSECOND", &RecurrenceRule::bySecond, 0, 59},
                                               {"BYMINUTE", &RecurrenceRule::byMinute, 0, 59},
                                               {"BYHOUR", &RecurrenceRule::byHour, 0, 23},
                                               {"BYMONTHDAY", &RecurrenceRule::byMonthDay, -1, 31},
                                               {"BYYEARDAY", &RecurrenceRule::byYearDay, -1, 366},
                                               {"BYWEEKNO", &RecurrenceRule::byWeekNumber, -1, 53},
                                               {"BYMONTH", &RecurrenceRule::byMonth, 1, 12},
                                               {"BYSETPOS", &RecurrenceRule::bySetPosition, -1, 366}}};
    for (const NumberList& list : lists)
        if (equalIgnoringCase(key, list.key))
            return readNumberList(value, list.smallest, list.largest, rule.*list.values);
    return true;
}

// One expansion of a series over a range.
class Expansion {
public:
    Expansion(const RecurrenceSeries& series, ExpansionBudget& budget, const std::function<bool(std::int64_t)>& found,
              std::int64_t rangeStart, std::int64_t rangeEnd)
        : rule_(series.rule),
          series_(series),
          budget_(budget),
          found_(found),
          rangeStart_(rangeStart),
          rangeEnd_(rangeEnd) {
        frequency_ = series.allDay ? std::max(rule_.frequency, Frequency::daily) : rule_.frequency;
        startDay_ = floorDivide(series.start, kSecondsPerDay);
        startDate_ = dateOfDayNumber(startDay_);
        const auto secondOfDay = static_cast<int>(series.start - startDay_ * kSecondsPerDay);
        byMonth_ = rule_.byMonth;
        byMonthDay_ = rule_.byMonthDay;
        byDay_ = rule_.byDay;
        // A rule without days of its own repeats the start's day.
        if (rule_.byWeekNumber.empty() && rule_.byYearDay.empty() && rule_.byMonthDay.empty() && rule_.byDay.empty()) {
            if (frequency_ == Frequency::yearly && byMonth_.empty()) byMonth_ = {startDate_.month};
            if (frequency_ == Frequency::yearly || frequency_ == Frequency::monthly) byMonthDay_ = {startDate_.day};
            if (frequency_ == Frequency::weekly) byDay_ = {{0, weekdayOfDay(startDay_)}};
        }
        if (!rule_.byWeekNumber.empty())
            ordinalScope_ = OrdinalScope::none;
        else if (frequency_ == Frequency::monthly || (frequency_ == Frequency::yearly && !rule_.byMonth.empty()))
            ordinalScope_ = OrdinalScope::month;
        else if (frequency_ == Frequency::yearly)
            ordinalScope_ = OrdinalScope::year;
        const auto orStart = [](const std::vector<int>& values, int start) {
            return values.empty() ? std::vector<int>{start} : values;
        };
        const std::vector<int> hours = orStart(rule_.byHour, secondOfDay / 3600);
        const std::vector<int> minutes = orStart(rule_.byMinute, secondOfDay / 60 % 60);
        const std::vector<int> seconds = orStart(rule_.bySecond, secondOfDay % 60);
        // The times within a period, in order: of the day, the hour or the minute.
        if (series.allDay)
            times_ = {0};
        else if (frequency_ >= Frequency::daily)
            times_ = product(hours, 3600, product(minutes, 60, seconds));
        else if (frequency_ == Frequency::hourly)
            times_ = product(minutes, 60, seconds);
        else if (frequency_ == Frequency::minutely)
            times_ = seconds;
        else
            times_ = {0};
        // Every period yields one occurrence, so that a COUNT can be met by counting periods.
        onePerPeriod_ = rule_.byDay.empty() && rule_.byMonth.empty() && rule_.byMonthDay.empty() &&
                        rule_.byYearDay.empty() && rule_.byWeekNumber.empty() && rule_.byHour.empty() &&
                        rule_.byMinute.empty() && rule_.bySecond.empty() && rule_.bySetPosition.empty() &&
                        !(frequency_ == Frequency::monthly && startDate_.day > 28) &&
                        !(frequency_ == Frequency::yearly && startDate_.month == 2 && startDate_.day == 29);
    }

    void run() {
        emitted_ = 1;
        if (series_.start >= rangeStart_ && series_.start < rangeEnd_ && !found_(series_.start)) return;
        // Without a COUNT to meet, the periods before the range need not be visited.
        const bool skipAhead = !rule_.count || onePerPeriod_;
        if (frequency_ >= Frequency::daily)
            runDays(skipAhead);
        else
            runTimes(skipAhead);
    }

private:
    enum class OrdinalScope { none, month, year };

    static std::vector<int> product(const std::vector<int>& outer, int scale, const std::vector<int>& inner) {
        std::vector<int> values;
        for (int a : outer)
            for (int b : inner) values.push_back(a * scale + b);
        return values;
    }

    // False when the series has ended.
    bool offer(std::int64_t moment) {
        if (moment <= series_.start) return true; // the start came first
        if (series_.until && moment > *series_.until) return false;
        if (rule_.count && emitted_ >= *rule_.count) return false;
        ++emitted_;
        if (moment >= rangeEnd_ || !budget_.spend(1)) return false;
        return moment < rangeStart_ || found_(moment);
    }

    // Offers each of the period's candidates (days by times, in order) that BYSETPOS keeps.
    bool offerPeriod(const std::vector<std::int64_t>& days, std::int64_t timeBase) {
        const std::size_t total = days.size() * times_.size();
        const auto candidate = [&](std::size_t index) {
            return days[index / times_.size()] * kSecondsPerDay + timeBase + times_[index % times_.size()];
        };
        if (rule_.bySetPosition.empty()) {
            for (std::size_t index = 0; index < total; ++index)
                if (!offer(candidate(index))) return false;
            return true;
        }
        std::vector<std::size_t> chosen;
        for (int position : rule_.bySetPosition) {
            const std::int64_t index = position > 0 ? position - 1 : static_cast<std::int64_t>(total) + position;
            if (index >= 0 && index < static_cast<std::int64_t>(total))
                chosen.push_back(static_cast<std::size_t>(index));
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        for (std::size_t index : chosen)
            if (!offer(candidate(index))) return false;
        return true;
    }

    std::int64_t weekFirstDay(std::int64_t day) const { return day - (weekdayOfDay(day) - rule_.weekStart + 7) % 7; }

    // Days of DAILY, WEEKLY, MONTHLY and YEARLY periods.
    void runDays(bool skipAhead) {
        const std::int64_t interval = rule_.interval;
        const std::int64_t rangeDay = floorDivide(rangeStart_, kSecondsPerDay);
        const CalendarDate rangeDate = dateOfDayNumber(rangeDay);
        const std::int64_t startMonth = std::int64_t{startDate_.year} * 12 + startDate_.month - 1;
        const std::int64_t startWeek = weekFirstDay(startDay_);
        std::int64_t k = 0;
        if (skipAhead) {
            std::int64_t units = 0;
            switch (frequency_) {
            case Frequency::yearly: units = rangeDate.year - startDate_.year; break;
            case Frequency::monthly:
                units = std::int64_t{rangeDate.year} * 12 + rangeDate.month - 1 - startMonth;
                break;
            case Frequency::weekly: units = (weekFirstDay(rangeDay) - startWeek) / 7; break;
            default: units = rangeDay - startDay_; break;
            }
            k = std::max<std::int64_t>(0, floorDivide(units, interval));
            if (rule_.count) emitted_ = std::max<std::int64_t>(k, 1);
        }
        std::vector<std::int64_t> days;
        for (;; ++k) {
            std::int64_t first = 0;
            std::int64_t end = 0;
            switch (frequency_) {
            case Frequency::yearly: {
                const std::int64_t year = startDate_.year + k * interval;
                if (year > kLastYear) return;
                first = firstDayOfYear(year);
                end = firstDayOfYear(year + 1);
                break;
            }
            case Frequency::monthly: {
                const std::int64_t month = startMonth + k * interval;
                if (month / 12 > kLastYear) return;
                first = firstDayOfMonth(month);
                end = firstDayOfMonth(month + 1);
                break;
            }
            case Frequency::weekly:
                first = startWeek + k * interval * 7;
                end = first + 7;
                break;
            default:
                first = startDay_ + k * interval;
                end = first + 1;
                break;
            }
            if (first > kLastDay || first * kSecondsPerDay >= rangeEnd_) return;
            if (series_.until && first * kSecondsPerDay > *series_.until) return;
            if (!budget_.spend(1 + end - first)) return;
            days.clear();
            for (std::int64_t day = first; day < end; ++day)
                if (dayMatches(day)) days.push_back(day);
            if (!offerPeriod(days, 0)) return;
        }
    }

    // Hours, minutes or seconds: each period is one of them on a day that matches.
    void runTimes(bool skipAhead) {
        const std::int64_t unit = frequency_ == Frequency::hourly ? 3600 : frequency_ == Frequency::minutely ? 60 : 1;
        const std::int64_t step = rule_.interval * unit;
        const std::int64_t base = floorDivide(series_.start, unit) * unit;
        std::int64_t k = skipAhead ? std::max<std::int64_t>(0, floorDivide(rangeStart_ - base, step)) : 0;
        if (skipAhead && rule_.count) emitted_ = std::max<std::int64_t>(k, 1);
        std::vector<std::int64_t> day(1);
        while (true) {
            const std::int64_t moment = base + k * step;
            if (moment >= rangeEnd_ || (series_.until && moment > *series_.until) || !budget_.spend(1)) return;
            day[0] = floorDivide(moment, kSecondsPerDay);
            const std::int64_t second = moment - day[0] * kSecondsPerDay;
            // A period that cannot match sends the search on to the next day, hour or minute that might.
            std::optional<std::int64_t> nextTry;
            if (!dayMatches(day[0]))
                nextTry = (day[0] + 1) * kSecondsPerDay;
            else if (!rule_.byHour.empty() && !contains(rule_.byHour, static_cast<int>(second / 3600)))
                nextTry = moment - second % 3600 + 3600;
            else if (frequency_ != Frequency::hourly && !rule_.byMinute.empty() &&
                     !contains(rule_.byMinute, static_cast<int>(second / 60 % 60)))
                nextTry = moment - second % 60 + 60;
            else if (frequency_ == Frequency::secondly && !rule_.bySecond.empty() &&
                     !contains(rule_.bySecond, static_cast<int>(second % 60)))
                nextTry = moment + 1;
            if (nextTry) {
                k = std::max(k + 1, ceilingDivide(*nextTry - base, step));
                continue;
            }
            if (!offerPeriod(day, second)) return;
            ++k;
        }
    }

    bool dayMatches(std::int64_t day) const {
        const CalendarDate date = dateOfDayNumber(day);
        if (!byMonth_.empty() && !contains(byMonth_, date.month)) return false;
        if (!rule_.byWeekNumber.empty() && !weekNumberMatches(day, date.year)) return false;
        const std::int64_t yearFirst = firstDayOfYear(date.year);
        const auto dayOfYear = static_cast<int>(day - yearFirst + 1);
        const auto daysInYear = static_cast<int>(firstDayOfYear(date.year + 1) - yearFirst);
        if (!rule_.byYearDay.empty() && !contains(rule_.byYearDay, dayOfYear) &&
            !contains(rule_.byYearDay, dayOfYear - daysInYear - 1))
            return false;
        const std::int64_t monthFirst = day - date.day + 1;
        const auto daysInMonth =
            static_cast<int>(firstDayOfMonth(std::int64_t{date.year} * 12 + date.month) - monthFirst);
        if (!byMonthDay_.empty() && !contains(byMonthDay_, date.day) &&
            !contains(byMonthDay_, date.day - daysInMonth - 1))
            return false;
        if (byDay_.empty()) return true;
        const int weekday = weekdayOfDay(day);
        for (const OrdinalWeekday& wanted : byDay_) {
            if (wanted.weekday != weekday) continue;
            if (wanted.ordinal == 0 || ordinalScope_ == OrdinalScope::none) return true;
            const bool inMonth = ordinalScope_ == OrdinalScope::month;
            const int place = inMonth ? date.day : dayOfYear;
            const int length = inMonth ? daysInMonth : daysInYear;
            if (wanted.ordinal == (place - 1) / 7 + 1 || wanted.ordinal == -((length - place) / 7 + 1)) return true;
        }
        return false;
    }

    // Week 1 is the first week, begun on WKST, with four days of the year.
    bool weekNumberMatches(std::int64_t day, int year) const {
        const auto weekOneFirst = [this](std::int64_t ofYear) {
            return weekFirstDay(dayNumberOf({static_cast<int>(ofYear), 1, 4}));
        };
        std::int64_t weekYear = year;
        if (day >= weekOneFirst(year + 1))
            weekYear = year + 1;
        else if (day < weekOneFirst(year))
            weekYear = year - 1;
        const std::int64_t first = weekOneFirst(weekYear);
        const auto week = static_cast<int>((day - first) / 7 + 1);
        const auto weeks = static_cast<int>((weekOneFirst(weekYear + 1) - first) / 7);
        return contains(rule_.byWeekNumber, week) || contains(rule_.byWeekNumber, week - weeks - 1);
    }

    static constexpr std::int64_t kLastYear = 9999;
    const std::int64_t kLastDay = dayNumberOf({9999, 12, 31});

    const RecurrenceRule& rule_;
    const RecurrenceSeries& series_;
    ExpansionBudget& budget_;
    const std::function<bool(std::int64_t)>& found_;
    std::int64_t rangeStart_;
    std::int64_t rangeEnd_;
    Frequency frequency_;
    std::int64_t startDay_ = 0;
    CalendarDate startDate_;
    std::vector<int> byMonth_;
    std::vector<int> byMonthDay_;
    std::vector<OrdinalWeekday> byDay_;
    OrdinalScope ordinalScope_ = OrdinalScope::none;
    std::vector<int> times_;
    bool onePerPeriod_ = false;
    std::int64_t emitted_ = 0;
};

} // namespace

std::optional<RecurrenceRule> parseRecurrenceRule(std::string_view value) {
    RecurrenceRule rule;
    bool hasFrequency = false;
    while (!value.empty()) {
        const std::size_t end = value.find(';');
        const std::string_view part = value.substr(0, end);
        value.remove_prefix(end == std::string_view::npos ? value.size() : end + 1);
        if (part.empty()) continue;
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        if (!readPart(part.substr(0, equals), part.substr(equals + 1), rule, hasFrequency)) return std::nullopt;
    }
    if (!hasFrequency) return std::nullopt;
    return rule;
}

void expandRecurrence(const RecurrenceSeries& series, std::int64_t rangeStart, std::int64_t rangeEnd,
                      ExpansionBudget& budget, const std::function<bool(std::int64_t)>& found) {
    Expansion(series, budget, found, rangeStart, rangeEnd).run();
}

} // namespace almanix
