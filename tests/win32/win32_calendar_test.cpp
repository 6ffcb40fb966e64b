#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "setup/events_dialog.h"
#include "support/fakes.h"
#include "win32/win32_form_view.h"

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
    Win32FormView dialog(eventsDialogLayout());
    ASSERT_TRUE(dialog.create(nullptr));
    EventsDialog presenter(dialog, setup);
    dialog.attach(presenter);
    presenter.load();
    HWND calendar = dialog.control("calendar");
    const auto arrow = nextMonthArrow(calendar);
    ASSERT_TRUE(arrow);
    const auto clickArrow = [&] {
        const LPARAM at = MAKELPARAM(arrow->x, arrow->y);
        SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(calendar, WM_LBUTTONUP, 0, at);
        return dialog.text("dateBox");
    };
    // Each row ticks or unticks one box as the user would, then clicks the arrow.
    const std::pair<std::string_view, std::string> cases[] = {
        {"yearReadOnlyBox", "12/06/2026"},     {"yearReadOnlyBox", "01/06/2027"},
        {"monthReadOnlyBox", "01/06/2027"},    {"monthReadOnlyBox", "02/06/2027"},
        {"iterationButtonsBox", "02/06/2027"}, {"iterationButtonsBox", "03/06/2027"},
    };
    EXPECT_EQ(dialog.text("dateBox"), "12/06/2026");
    for (const auto& [box, shownAfterClick] : cases) {
        click(dialog.control(box));
        SCOPED_TRACE(std::string(box) + (dialog.isChecked(box) ? " on" : " off"));
        EXPECT_EQ(clickArrow(), shownAfterClick);
    }
    // A date the program sets is taken whatever the options, and the month's limits follow it.
    click(dialog.control("monthReadOnlyBox"));
    presenter.calendar().setDate({1998, 5, 13});
    EXPECT_EQ(dialog.text("dateBox"), "05/13/1998");
    SYSTEMTIME range[2] = {};
    EXPECT_EQ(SendMessageA(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(range[0].wDay, 1);
    EXPECT_EQ(range[1].wDay, 31);
    EXPECT_EQ(range[1].wMonth, 5);
}

} // namespace
} // namespace almanix
