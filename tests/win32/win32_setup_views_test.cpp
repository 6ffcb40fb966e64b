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

struct Win32SetupViews : ::testing::Test, testing::FakeSetupServices {
    Win32SetupViews() : FakeSetupServices({"C:\\Almanix", '\\'}) {
        static const bool initialised = [] {
            INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_BAR_CLASSES};
            return InitCommonControlsEx(&controls) != FALSE;
        }();
        EXPECT_TRUE(initialised);
    }
};

// The events dialog with its presenter, created and loaded as the setup window opens it, not yet run.
struct LoadedEventsDialog {
    Win32EventsDialog view;
    std::optional<EventsDialog> presenter;

    explicit LoadedEventsDialog(SetupServices& services) {
        EXPECT_TRUE(view.create(nullptr));
        presenter.emplace(view, services);
        view.attach(*presenter);
        presenter->Form_Load();
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

// Where the focus goes from the first control, once round the dialog with Tab.
std::vector<std::string> tabRound(const Win32Form& form, std::size_t stops) {
    std::vector<std::string> visited;
    HWND at = form.firstFocus();
    for (std::size_t i = 0; i <= stops && at; ++i) {
        visited.emplace_back(form.nameOf(at));
        at = GetNextDlgTabItem(form.handle(), at, FALSE);
    }
    return visited;
}

bool looksDefault(HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

TEST_F(Win32SetupViews, DialogsHaveTheirTablesSizeTitleAndTabOrder) {
    Win32EventsDialog events;
    Win32SpeedDialog speed;
    Win32AboutBox about;
    ASSERT_TRUE(events.create(nullptr) && speed.create(nullptr) && about.create(nullptr));
    struct Case {
        Win32Form& dialog;
        const WindowLayout& table;
        std::vector<std::string> round;
    };
    const Case cases[] = {
        {events, eventsfmLayout(),
         {"txtValue", "chkMonthRO", "chkYearRO", "chkShowIterration", "lbxEvents", "Command1", "Command2", "Text1",
          "Command3", "Command4", "Calendar1", "diffdays", "txtValue"}},
        {speed, speedfmLayout(), {"moveSpeed", "Command1", "Command2", "moveSpeed"}},
        {about, aboutfmLayout(), {"Command1", "Command1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table.name);
        const SIZE client = clientSizeOf(c.dialog.handle());
        EXPECT_EQ(client.cx, pixelsOfTwips(c.table.clientWidth, dotsPerInch()));
        EXPECT_EQ(client.cy, pixelsOfTwips(c.table.clientHeight, dotsPerInch()));
        EXPECT_EQ(windowTextOf(c.dialog.handle()), c.table.title);
        const LONG style = GetWindowLongA(c.dialog.handle(), GWL_STYLE);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
        EXPECT_EQ(tabRound(c.dialog, c.round.size() - 1), c.round);
        for (const ControlLayout& control : c.table.controls) {
            if (control.kind != ControlKind::button) continue;
            EXPECT_FALSE(looksDefault(c.dialog.control(control.name))) << control.name;
        }
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
    LoadedEventsDialog loaded(services);
    Win32EventsDialog& dialog = loaded.view;
    HWND calendar = dialog.control("Calendar1");
    const auto arrow = nextMonthArrow(calendar);
    ASSERT_TRUE(arrow);
    const auto clickArrow = [&] {
        const LPARAM at = MAKELPARAM(arrow->x, arrow->y);
        SendMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(calendar, WM_LBUTTONUP, 0, at);
        return dialog.text(EventsTextBox::txtValue);
    };
    struct Case {
        CalendarOption option;
        bool checked;
        std::string shownAfterClick;
    };
    // Each row ticks or unticks one box as the user would, then clicks the arrow.
    const Case cases[] = {
        {CalendarOption::yearReadOnly, true, "12/06/2026"},
        {CalendarOption::yearReadOnly, false, "01/06/2027"},
        {CalendarOption::monthReadOnly, true, "01/06/2027"},
        {CalendarOption::monthReadOnly, false, "02/06/2027"},
        {CalendarOption::showIterationButtons, false, "02/06/2027"},
        {CalendarOption::showIterationButtons, true, "03/06/2027"},
    };
    EXPECT_EQ(dialog.text(EventsTextBox::txtValue), "12/06/2026");
    EXPECT_TRUE(dialog.isChecked(CalendarOption::showIterationButtons));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.option)) + (c.checked ? " on" : " off"));
        dialog.setChecked(c.option, c.checked);
        loaded.presenter->checkBoxClicked(c.option);
        EXPECT_EQ(dialog.calendarOption(c.option), c.checked);
        EXPECT_EQ(clickArrow(), c.shownAfterClick);
    }
    // A date the program sets is taken whatever the options, and shown in txtValue.
    dialog.setCalendarOption(CalendarOption::monthReadOnly, true);
    dialog.setCalendarDate({1998, 5, 13});
    EXPECT_EQ(dialog.calendarDate(), (CalendarDate{1998, 5, 13}));
    EXPECT_EQ(dialog.text(EventsTextBox::txtValue), "05/13/1998");
    SYSTEMTIME range[2] = {};
    EXPECT_EQ(SendMessageA(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(range[0].wDay, 1);
    EXPECT_EQ(range[1].wDay, 31);
    EXPECT_EQ(range[1].wMonth, 5);
}

TEST_F(Win32SetupViews, TheSetupWindowShowsItsHelpAndOpensTheDialogsFromItsMenu) {
    testing::RecordingDialogs dialogs;
    Win32SetupWindow window(services, &dialogs);
    ASSERT_TRUE(window.create());
    window.presenter().Form_Load();
    EXPECT_EQ(windowTextOf(window.handle()), "Setup");
    const SIZE client = clientSizeOf(window.handle());
    EXPECT_EQ(client.cx, pixelsOfTwips(6510, dotsPerInch()));
    EXPECT_EQ(client.cy, pixelsOfTwips(6180, dotsPerInch()));
    EXPECT_NE(windowTextOf(window.control("Label3")).find("directory C:\\Almanix\\Pics. That"), std::string::npos);
    LOGFONTA title{};
    const auto titleFont = reinterpret_cast<HFONT>(SendMessageA(window.control("Label1"), WM_GETFONT, 0, 0));
    GetObjectA(titleFont, sizeof title, &title);
    EXPECT_EQ(title.lfHeight, -pixelsOfTwips(18 * 20, dotsPerInch())); // 18 points
    EXPECT_TRUE(title.lfWeight == FW_BOLD && title.lfItalic);

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
