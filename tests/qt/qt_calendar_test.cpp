#include <gtest/gtest.h>

#include <QToolButton>

#include "qt/qt_calendar.h"
#include "support/offscreen_application.h"

namespace almanix {
namespace {

TEST(QtCalendar, KeepsToItsLimitsAndItsArrowsTakeTheDateAlong) {
    testing::offscreenApplication();
    QtCalendar control(nullptr);
    std::vector<CalendarDate> picks;
    control.reportPicksTo([&](const CalendarDate& date) { picks.push_back(date); });
    control.showDate({2026, 12, 6});
    EXPECT_TRUE(picks.empty()); // shown, not picked

    control.restrict(DateRange{{2026, 12, 1}, {2026, 12, 31}}, {.monthReadOnly = true});
    control.setSelectedDate(QDate(2026, 11, 30)); // the first day is as far as it goes
    control.setSelectedDate(QDate(2027, 1, 1));
    control.restrict(std::nullopt, {});
    control.setSelectedDate(QDate(2031, 1, 31));
    control.showNextMonth(); // to the month's last day at most
    EXPECT_EQ(picks, (std::vector<CalendarDate>{{2026, 12, 1}, {2026, 12, 31}, {2031, 1, 31}, {2031, 2, 28}}));

    control.restrict(std::nullopt, {.showIterationButtons = false});
    for (const char* name : {"qt_calendar_prevmonth", "qt_calendar_nextmonth"}) {
        auto* button = control.findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isHidden());
    }
}

} // namespace
} // namespace almanix
