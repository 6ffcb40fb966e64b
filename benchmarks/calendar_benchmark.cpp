// How long reading a large calendar takes: 20,000 events in 5 MB, 1,000 of
// them weekly series, expanded over 99 days, with the system's zone data. The
// calendar is written once beside the program, for other readers to time
// (tests/calendars/oracle --time FILE 2026-12-06 99).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>

#include "calendars/calendar_reading.h"
#include "qt/qt_time_zones.h"

namespace {

using namespace almanix;

const std::string kCalendar = std::string(ALMANIX_BENCHMARK_FOLDER) + "calendar-20000-events.ics";
constexpr CalendarDate kToday{2026, 12, 6};

// Events spread over ten years around the agenda, in the feed's own zone, with
// the descriptions, places and people that make a real feed's size.
std::string largeCalendar() {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Almanix benchmark//EN\r\n"
                       "X-WR-TIMEZONE:Europe/Berlin\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                       "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nDTSTART:19700329T020000\r\n"
                       "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
                       "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nDTSTART:19701025T030000\r\n"
                       "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    constexpr const char* kWeekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    const std::int64_t firstDay = dayNumberOf({2021, 12, 6});
    for (int event = 0; event < 20000; ++event) {
        const CalendarDate date = dateOfDayNumber(firstDay + (event * 7919) % 3650);
        char start[64];
        std::snprintf(start, sizeof start, "%04d%02d%02dT%02d%02d00", date.year, date.month, date.day, 7 + event % 12,
                      event % 4 * 15);
        text += "BEGIN:VEVENT\r\nUID:event-" + std::to_string(event) + "@example\r\n";
        text += "DTSTAMP:20261101T120000Z\r\n";
        text += "DTSTART;TZID=Europe/Berlin:" + std::string(start) + "\r\n";
        text += "DURATION:PT1H\r\n";
        if (event % 20 == 0) {
            text += "RRULE:FREQ=WEEKLY;BYDAY=" + std::string(kWeekdays[event / 20 % 7]) + "," +
                    kWeekdays[(event / 20 + 3) % 7] + (event % 60 == 0 ? ";COUNT=200" : "") + "\r\n";
        }
        text += "SUMMARY:Meeting " + std::to_string(event) + " about the plans and figures\r\n";
        text += "LOCATION:Room " + std::to_string(event % 40) + "\\, first floor\r\n";
        text += "DESCRIPTION:Agenda\\; what comes next\\; questi\r\n ons\r\n";
        text += "END:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}

std::string calendarText() {
    if (!std::filesystem::exists(kCalendar)) {
        std::filesystem::create_directories(std::filesystem::path(kCalendar).parent_path());
        std::ofstream(kCalendar, std::ios::binary) << largeCalendar();
    }
    std::ifstream file(kCalendar, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void readLargeCalendar(benchmark::State& state) {
    const std::string text = calendarText();
    const AgendaWindow window{kToday, dateOfDayNumber(dayNumberOf(kToday) + 99)};
    QtTimeZones zones;
    std::size_t items = 0;
    for (auto _ : state) {
        const CalendarReading reading = readCalendar(text, window, zones);
        items = reading.items.size();
        benchmark::DoNotOptimize(reading.items.data());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["megabytes"] = static_cast<double>(text.size()) / 1e6;
    state.counters["items"] = static_cast<double>(items);
    state.counters["peak_resident_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(readLargeCalendar)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
