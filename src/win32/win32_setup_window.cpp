#include "win32/win32_setup_window.h"

#include "win32/win32_about_box.h"
#include "win32/win32_events_dialog.h"
#include "win32/win32_file_system.h"
#include "win32/win32_platform.h"
#include "win32/win32_registry.h"
#include "win32/win32_short_date.h"
#include "win32/win32_speed_dialog.h"

namespace almanix {

namespace {

template <typename View, typename Presenter, typename... Services>
void openDialog(HWND owner, Services&... services) {
    View view;
    if (view.create(owner)) runDialog<Presenter>(view, services...);
}

} // namespace

Win32SetupWindow::Win32SetupWindow(SetupServices& services, SetupDialogs* dialogs)
    : Win32Form(setupfmLayout()),
      services_(services),
      presenter_(*this, dialogs ? *dialogs : *this, kWindowsPicturesFolderText) {}

bool Win32SetupWindow::create() {
    HMENU menu = CreateMenu();
    UINT id = kFirstMenuId;
    for (const MenuItem& item : setupfmLayout().menu) {
        const std::string caption(item.caption);
        AppendMenuA(menu, MF_STRING, id++, caption.c_str());
    }
    // A fixed single border: a title bar with the system menu, no sizing frame.
    if (createForm(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, nullptr, menu)) return true;
    DestroyMenu(menu);
    return false;
}

void Win32SetupWindow::setLabelText(std::string_view controlName, const std::string& text) {
    SetWindowTextA(control(controlName), text.c_str());
}

void Win32SetupWindow::onMenu(UINT id) {
    const auto menu = setupfmLayout().menu;
    if (id < kFirstMenuId || id - kFirstMenuId >= menu.size()) return;
    const std::string_view name = menu[id - kFirstMenuId].name;
    if (name == "muevents") presenter_.muevents_Click();
    if (name == "muspeed") presenter_.muspeed_Click();
    if (name == "muabout") presenter_.muabout_Click();
}

LRESULT Win32SetupWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The last window of the program is gone: the process ends.
    if (message == WM_DESTROY) PostQuitMessage(0);
    return Win32Form::handleMessage(message, wParam, lParam);
}

void Win32SetupWindow::showEventsDialog() { openDialog<Win32EventsDialog, EventsDialog>(handle(), services_); }

void Win32SetupWindow::showSpeedDialog() { openDialog<Win32SpeedDialog, SpeedDialog>(handle(), services_); }

void Win32SetupWindow::showAboutBox() { openDialog<Win32AboutBox, AboutBox>(handle()); }

bool showWin32SetupWindow() {
    // The files, settings and clock that the dialogs use, for the life of the process.
    static Win32FileSystem files;
    static Win32Registry registry;
    static Win32MessageBox messages;
    static Win32ShortDate shortDate;
    static SystemClock clock;
    static SetupServices services{{files, win32DataPaths(), shortDate, clock}, registry, messages};
    static Win32SetupWindow window(services);

    if (!window.create()) {
        messages.show("The setup window could not be opened.", kApplicationTitle);
        return false;
    }
    window.presenter().Form_Load();
    ShowWindow(window.handle(), SW_SHOW);
    UpdateWindow(window.handle());
    return true;
}

} // namespace almanix
