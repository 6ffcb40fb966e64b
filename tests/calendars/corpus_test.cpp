// Every calendar of the corpus read as its expected agenda says: NAME.ics and
// NAME.agenda, whose first line fixes the day, the days ahead and the local
// zone ("# today 2026-12-06 days 6 zone Europe/Berlin"), each other line one
// item as agendaLine writes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calendars/calendar_reading.h"

namespace almanix {
namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct CaseHeading {
    AgendaWindow window;
    std::string zone;
};

std::optional<CaseHeading> readHeading(const std::string& line) {
    CaseHeading heading;
    char zone[64] = {};
    int days = 0;
    CalendarDate& today = heading.window.first;
    if (std::sscanf(line.c_str(), "# today %d-%d-%d days %d zone %63s", &today.year, &today.month, &today.day, &days,
                    zone) != 5)
        return std::nullopt;
    heading.window.last = dateOfDayNumber(dayNumberOf(today) + days);
    heading.zone = zone;
    return heading;
}

TEST(CalendarCorpus, EachCaseReadsAsItsAgenda) {
    std::size_t cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ALMANIX_CALENDAR_CORPUS)) {
        if (entry.path().extension() != ".ics") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++cases;
        std::istringstream expected(fileText(std::filesystem::path(entry.path()).replace_extension(".agenda")));
        std::string line;
        std::getline(expected, line);
        const std::optional<CaseHeading> heading = readHeading(line);
        ASSERT_TRUE(heading) << "no heading: " << line;
        std::string wanted;
        while (std::getline(expected, line)) wanted += line + "\n";

        KnownRuleTimeZones zones(heading->zone);
        const CalendarReading reading = readCalendar(fileText(entry.path()), heading->window, zones);
        std::string found;
        for (const CalendarItem& item : reading.items) found += agendaLine(item) + "\n";
        EXPECT_TRUE(reading.understood);
        EXPECT_EQ(found, wanted);
    }
    EXPECT_GE(cases, 30u);
}

} // namespace
} // namespace almanix
