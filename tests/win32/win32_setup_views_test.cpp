#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "setup/fake_setup_views.h"
#include "win32/win32_about_box.h"
#include "win32/win32_events_dialog.h"
#include "win32/win32_setup_window.h"
#include "win32/win32_speed_dialog.h"

namespace almanix {
namespace {

struct Win32SetupViews : ::testing::Test, testing::FakeSystem {
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_BAR_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
    }
};

double dotsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dots = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dots;
}

SIZE clientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Presses a button or ticks a check box as the mouse would.
void click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }

// The window's client area is its table's, in pixels at the display's
// resolution, under the table's title, in a frame that cannot be resized.
void expectBuiltFromTable(HWND window, const WindowLayout& table) {
    const SIZE client = clientSizeOf(window);
    EXPECT_EQ(client.cx, pixelsOfTwips(table.clientWidth, dotsPerInch()));
    EXPECT_EQ(client.cy, pixelsOfTwips(table.clientHeight, dotsPerInch()));
    EXPECT_EQ(windowTextOf(window), table.title);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
}

TEST_F(Win32SetupViews, DialogsAreBuiltFromTheirTablesAndEndThroughTheirPresenters) {
    Win32EventsDialog events;
    Win32SpeedDialog speed;
    Win32AboutBox about;
    ASSERT_TRUE(events.createDialog(nullptr) && speed.createDialog(nullptr) && about.createDialog(nullptr));
    EventsDialog eventsPresenter(events, setup);
    SpeedDialog speedPresenter(speed, setup);
    AboutBox aboutPresenter(about);
    events.attach(eventsPresenter);
    speed.attach(speedPresenter);
    about.attach(aboutPresenter);
    struct Case {
        Win32FormDialog& dialog;
        const WindowLayout& table;
        std::string_view endingButton; // empty: closed through the frame
    };
    const Case cases[] = {
        {events, eventsDialogLayout(), EventsDialogControls::cancelButton},
        {speed, speedDialogLayout(), {}},
        {about, aboutBoxLayout(), AboutBoxControls::okButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.name);
        expectBuiltFromTable(c.dialog.handle(), c.table);
        EXPECT_FALSE(c.dialog.hasEnded());
        if (c.endingButton.empty()) SendMessageA(c.dialog.handle(), WM_CLOSE, 0, 0);
        else click(c.dialog.control(c.endingButton));
        EXPECT_TRUE(c.dialog.hasEnded());
    }
}

// Finds where the month calendar's next-month arrow is.
std::optional<POINT> nextMonthArrow(HWND calendar) {
    const SIZE size = clientSizeOf(calendar);
    for (LONG y = 0; y < size.cy; y += 2)
        for (LONG x = size.cx - 1; x >= 0; x -= 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof hit;
            hit.pt = {x, y};
            SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_TITLEBTNNEXT) return hit.pt;
        }
    return std::nullopt;
}

TEST_F(Win32SetupViews, TheCalendarReportsPicksAndKeepsToItsOptions) {
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

TEST_F(Win32SetupViews, TheSetupWindowShowsItsHelpAndOpensTheDialogsFromItsMenu) {
    testing::RecordingDialogs dialogs;
    Win32SetupWindow window(platform, &dialogs);
    ASSERT_TRUE(window.create());
    window.presenter().load();
    expectBuiltFromTable(window.handle(), setupWindowLayout());
    const std::string help = windowTextOf(window.control(SetupWindowControls::helpLabel));
    EXPECT_NE(help.find("directory C:\\Almanix\\Pics. That"), std::string::npos);
    RECT outer{};
    GetWindowRect(window.handle(), &outer);
    EXPECT_LE(std::abs(outer.left + outer.right - GetSystemMetrics(SM_CXSCREEN)), 1);
    EXPECT_LE(std::abs(outer.top + outer.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);

    HMENU menu = GetMenu(window.handle());
    std::vector<std::string> captions;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        char caption[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(item), caption, sizeof caption, MF_BYPOSITION);
        captions.emplace_back(caption);
        SendMessageA(window.handle(), WM_COMMAND, GetMenuItemID(menu, item), 0);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"&Events ", "Move &Speed", "&About"}));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"events", "speed", "about"}));
}

} // namespace
} // namespace almanix
