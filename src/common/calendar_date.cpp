#include "common/calendar_date.h"

#include <array>
#include <ctime>

namespace almanix {

namespace {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Howard Hinnant's days_from_civil and civil_from_days.
std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return (a >= 0 ? a : a - b + 1) / b; }

} // namespace

bool isValidDate(const CalendarDate& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

std::int64_t dayNumberOf(const CalendarDate& date) {
    const std::int64_t year = date.month <= 2 ? date.year - 1 : date.year;
    const std::int64_t era = floorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t month = date.month;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate dateOfDayNumber(std::int64_t dayNumber) {
    const std::int64_t shifted = dayNumber + 719468;
    const std::int64_t era = floorDivide(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

int weekdayOf(const CalendarDate& date) {
    // 1970-01-01 was a Thursday (5).
    const std::int64_t fromThursday = (dayNumberOf(date) % 7 + 7) % 7;
    return static_cast<int>((fromThursday + 4) % 7) + 1;
}

std::string_view dayNameOf(int weekday) {
    static constexpr std::array<std::string_view, 7> names{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                           "Thursday", "Friday", "Saturday"};
    if (weekday < 1 || weekday > 7) return {};
    return names[static_cast<std::size_t>(weekday - 1)];
}

std::int64_t hourNumberOf(const LocalDateTime& moment) { return dayNumberOf(moment.date) * 24 + moment.hour; }

LocalDateTime SystemClock::now() {
    const std::time_t seconds = std::time(nullptr);
    if (seconds < hourStart_ || seconds >= hourStart_ + 3600) {
        const std::tm local = *std::localtime(&seconds); // one thread only
        hourStart_ = seconds - (local.tm_min * 60 + local.tm_sec);
        hour_ = {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, 0, 0};
    }
    LocalDateTime moment = hour_;
    moment.minute = static_cast<int>((seconds - hourStart_) / 60);
    moment.second = static_cast<int>((seconds - hourStart_) % 60);
    return moment;
}

} // namespace almanix
