#include <gtest/gtest.h>

#include <filesystem>

#include "events/event_file.h"
#include "events/upcoming_events.h"
#include "settings/settings_store.h"
#include "support/fakes.h"
#include "win32/win32_file_system.h"
#include "win32/win32_short_date.h"

namespace almanix {
namespace {

TEST(Win32ShortDate, ReadsBackWhatItWritesWithoutSpaces) {
    Win32ShortDate shortDate;
    const CalendarDate dates[] = {{2026, 12, 6}, {1998, 5, 13}, {2024, 2, 29}, {2031, 1, 1}, {2026, 7, 12}};
    for (const CalendarDate& date : dates) {
        const std::string text = shortDate.format(date);
        SCOPED_TRACE(text);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find(' '), std::string::npos);
        EXPECT_EQ(shortDate.parse(text), date);
    }
    EXPECT_EQ(shortDate.parse("not a date"), std::nullopt);
    EXPECT_EQ(shortDate.parse(""), std::nullopt);
}

TEST(Win32ShortDate, TheDueCheckRewritesARealEventFileInTheLocalesDates) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "almanix-due-check";
    std::filesystem::create_directories(folder);
    Win32FileSystem files;
    Win32ShortDate shortDate;
    testing::FixedClock clock{{{2026, 12, 6}, 9, 30, 0}};
    EventStore store{files, {folder.string(), '\\'}, shortDate, clock};
    const std::string today = shortDate.format({2026, 12, 6});
    const std::string yesterday = shortDate.format({2026, 12, 5});
    gDaysBeforeEvent = 1;
    ASSERT_TRUE(saveEventList(store, {yesterday + " Saturday Old", today + " Sunday Caf\xE9"}));
    EXPECT_EQ(checkUpcomingEvents(store), 1);
    EXPECT_EQ(gDueEventsText, "\r\n" + today + " Sunday Caf\xE9");
    EXPECT_EQ(files.readWholeFile(store.paths.eventFile()), "#" + today + " Sunday Caf\xE9\r\n");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace almanix
