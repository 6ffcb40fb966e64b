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

// A dialog with its presenter, created and loaded as the setup window opens it, not yet run.
template <typename View, typename Presenter>
struct LoadedDialog {
    View view;
    std::optional<Presenter> presenter;

    explicit LoadedDialog(SetupServices& services, HWND owner = nullptr) {
        EXPECT_TRUE(view.create(owner));
        presenter.emplace(view, services);
        view.attach(*presenter);
        presenter->Form_Load();
    }
};
using LoadedEventsDialog = LoadedDialog<Win32EventsDialog, EventsDialog>;

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

// A key as the dialog's message loop receives it.
bool pressKey(HWND dialog, HWND target, WPARAM key) {
    SetFocus(target);
    const MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
    return handleDialogKey(dialog, message);
}

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

TEST_F(Win32SetupViews, EnterPressesOnlyTheFocusedButtonAndEscapeNothing) {
    LoadedEventsDialog loaded(services);
    Win32EventsDialog& dialog = loaded.view;
    ShowWindow(dialog.handle(), SW_SHOW);
    HWND content = dialog.control("Text1");
    HWND add = dialog.control("Command1");
    HWND list = dialog.control("lbxEvents");
    SetWindowTextA(content, "Dentist");

    EXPECT_TRUE(pressKey(dialog.handle(), content, VK_RETURN));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(pressKey(dialog.handle(), add, VK_RETURN));
    EXPECT_TRUE(looksDefault(add));
    EXPECT_TRUE(pressKey(dialog.handle(), content, VK_RETURN));
    EXPECT_FALSE(looksDefault(add));
    EXPECT_EQ(loaded.presenter->listItems(), std::vector<std::string>{"12/06/2026 Sunday Dentist"});
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    for (const char* name : {"Text1", "Command1", "Command3", "Command4", "lbxEvents", "Calendar1"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(pressKey(dialog.handle(), dialog.control(name), VK_ESCAPE));
        EXPECT_FALSE(dialog.hasEnded());
    }
    // Other keys go on to the dialog manager and the controls.
    EXPECT_FALSE(pressKey(dialog.handle(), content, VK_TAB));
    EXPECT_TRUE(files.writeLog.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Win32SetupViews, TheModalLoopEndsOnTheFrameAsOnCancelAndGivesTheOwnerBack) {
    testing::RecordingDialogs dialogs;
    Win32SetupWindow owner(services, &dialogs);
    ASSERT_TRUE(owner.create());
    LoadedEventsDialog loaded(services, owner.handle());
    Win32EventsDialog& dialog = loaded.view;
    SetWindowTextA(dialog.control("Text1"), "Never saved");
    loaded.presenter->Command1_Click();
    PostMessageA(dialog.handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    dialog.runModal();
    EXPECT_FALSE(dialog.handle());
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
    EXPECT_TRUE(files.writeLog.empty());
    EXPECT_EQ(stored("DaysBeforeEvent"), std::nullopt);
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

TEST_F(Win32SetupViews, TheSliderRunsFromOneToThirtyAndItsLabelFollows) {
    registry.set(HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, "MoveSpeed", REG_SZ_TYPE, "45");
    LoadedDialog<Win32SpeedDialog, SpeedDialog> loaded(services);
    Win32SpeedDialog& dialog = loaded.view;
    ShowWindow(dialog.handle(), SW_SHOW);
    HWND slider = dialog.control("moveSpeed");
    HWND label = dialog.control("lblspeed");
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 30);
    struct Case {
        WPARAM key;
        std::string shown;
    };
    const Case cases[] = {
        {0, "30"}, {VK_LEFT, "29"}, {VK_HOME, "1"}, {VK_PRIOR, "1"}, {VK_NEXT, "6"}, {VK_END, "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        if (c.key) {
            SendMessageA(slider, WM_KEYDOWN, c.key, 1);
            SendMessageA(slider, WM_KEYUP, c.key, 1);
        }
        EXPECT_EQ(windowTextOf(label), c.shown);
    }
    // The label sizes itself to its text.
    EXPECT_GT(clientSizeOf(label).cx, pixelsOfTwips(135, dotsPerInch()));
    EXPECT_EQ(stored("MoveSpeed"), "45");
    EXPECT_TRUE(pressKey(dialog.handle(), dialog.control("Command1"), VK_RETURN));
    EXPECT_EQ(stored("MoveSpeed"), "30");
    EXPECT_TRUE(dialog.hasEnded());
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
