#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "setup/fake_setup_views.h"
#include "win32/win32_events_dialog.h"

namespace almanix {
namespace {

struct Win32Calendar : ::testing::Test, testing::FakeSystem {};

// Presses a button or ticks a check box as the mouse would.
void click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }

// Finds where the month calendar's next-month arrow is.
std::optional<POINT> nextMonthArrow(HWND calendar) {
    RECT client{};
    GetClientRect(calendar, &client);
    for (LONG y = 0; y < client.bottom; y += 2)
        for (LONG x = client.right - 1; x >= 0; x -= 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof hit;
            hit.pt = {x, y};
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_TITLEBTNNEXT) return hit.pt;
        }
    return std::nullopt;
}

TEST_F(Win32Calendar, TheCalendarReportsPicksAndKeepsToItsOptions) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    Win32EventsDialog dialog;
    ASSERT_TRUE(dialog.createDialog(nullptr));
    EventsDialog presenter(dialog, setup);
    dialog.attach(presenter);
    presenter.load();
    HWND calendar = dialog.control(EventsDialogControls::calendar);
    const auto arrow = nextMonthArrow(calendar);
    ASSERT_TRUE(arrow);
    const auto clickArrow = [&] {
        const LPARAM at = MAKELPARAM(arrow->x, arrow->y);
        SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(calendar, WM_LBUTTONUP, 0, at);
        return dialog.text(EventsTextBox::date);
    };
    // Each row ticks or unticks one box as the user would, then clicks the arrow.
    const std::pair<CalendarOption, std::string> cases[] = {
        {CalendarOption::yearReadOnly, "12/06/2026"},         {CalendarOption::yearReadOnly, "01/06/2027"},
        {CalendarOption::monthReadOnly, "01/06/2027"},        {CalendarOption::monthReadOnly, "02/06/2027"},
        {CalendarOption::showIterationButtons, "02/06/2027"}, {CalendarOption::showIterationButtons, "03/06/2027"},
    };
    EXPECT_EQ(dialog.text(EventsTextBox::date), "12/06/2026");
    for (const auto& [option, shownAfterClick] : cases) {
        click(dialog.control(checkBoxNameOf(option)));
        SCOPED_TRACE(std::string(checkBoxNameOf(option)) + (dialog.isChecked(option) ? " on" : " off"));
        EXPECT_EQ(clickArrow(), shownAfterClick);
    }
    // A date the program sets is taken whatever the options, and the month's limits follow it.
    click(dialog.control(EventsDialogControls::monthReadOnlyBox));
    presenter.calendar().setDate({1998, 5, 13});
    EXPECT_EQ(dialog.text(EventsTextBox::date), "05/13/1998");
    SYSTEMTIME range[2] = {};
    EXPECT_EQ(SendMessageA(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(range[0].wDay, 1);
    EXPECT_EQ(range[1].wDay, 31);
    EXPECT_EQ(range[1].wMonth, 5);
}

} // namespace
} // namespace almanix
