#pragma once

#include <cstdint>
#include <ctime>
#include <string_view>

namespace almanix {

// A day of the proleptic Gregorian calendar, without time of day.
struct CalendarDate {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1; // 1..31

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct LocalDateTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool isValidDate(const CalendarDate& date);

// Days since 1970-01-01; differences of day numbers count calendar days.
std::int64_t dayNumberOf(const CalendarDate& date);
CalendarDate dateOfDayNumber(std::int64_t dayNumber);

// Sunday = 1 to Saturday = 7.
int weekdayOf(const CalendarDate& date);

// The English name of a weekday numbered Sunday = 1; empty outside 1..7.
std::string_view dayNameOf(int weekday);

// Hours since 1970-01-01 00:00 of the hour that holds the moment, so that two
// moments differ by the number of clock-hour boundaries between them.
std::int64_t hourNumberOf(const LocalDateTime& moment);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() = 0;
    // Seconds since 1970-01-01 00:00 UTC: the moment as servers count it.
    virtual std::int64_t utcSeconds() = 0;
};

// The local time of the machine. The time zone is looked up (which reads its
// file or the registry) once a clock hour, as offsets change only on the hour;
// within the hour the seconds since its start give the time.
class SystemClock final : public Clock {
public:
    LocalDateTime now() override;
    std::int64_t utcSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

private:
    std::time_t hourStart_ = 0; // the first second of the hour below
    LocalDateTime hour_;
};

} // namespace almanix
