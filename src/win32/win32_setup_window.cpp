#include "win32/win32_setup_window.h"

#include "win32/win32_about_box.h"
#include "win32/win32_events_dialog.h"
#include "win32/win32_speed_dialog.h"

namespace almanix {

namespace {

template <typename View, typename Presenter, typename... Services>
void openDialog(HWND owner, Services&... services) {
    View view;
    if (view.createDialog(owner)) runDialog<Presenter>(view, services...);
}

} // namespace

Win32SetupWindow::Win32SetupWindow(Platform& platform, SetupDialogs* dialogs)
    : Win32Form(setupWindowLayout()),
      services_{platform.eventStore(), platform.registry, platform.messages},
      presenter_(*this, dialogs ? *dialogs : *this, platform.paths.picturesFolderText) {}

bool Win32SetupWindow::create() {
    HMENU menu = CreateMenu();
    UINT id = kFirstMenuId;
    for (const MenuItem& item : setupWindowLayout().menu) {
        const std::string caption(item.caption);
        AppendMenuA(menu, MF_STRING, id++, caption.c_str());
    }
    // A fixed single border: a title bar with the system menu, no sizing frame.
    if (createForm(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, nullptr, menu)) return true;
    DestroyMenu(menu);
    return false;
}

bool Win32SetupWindow::open() {
    if (!create()) return false;
    presenter_.load();
    ShowWindow(handle(), SW_SHOW);
    UpdateWindow(handle());
    return true;
}

void Win32SetupWindow::setLabelText(std::string_view controlName, const std::string& text) {
    SetWindowTextA(control(controlName), text.c_str());
}

void Win32SetupWindow::onMenu(UINT id) {
    const auto menu = setupWindowLayout().menu;
    if (id < kFirstMenuId || id - kFirstMenuId >= menu.size()) return;
    runAction(SetupWindow::actions(), presenter_, menu[id - kFirstMenuId].name);
}

LRESULT Win32SetupWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The last window of the program is gone: the process ends.
    if (message == WM_DESTROY) PostQuitMessage(0);
    return Win32Form::handleMessage(message, wParam, lParam);
}

void Win32SetupWindow::showEventsDialog() { openDialog<Win32EventsDialog, EventsDialog>(handle(), services_); }

void Win32SetupWindow::showSpeedDialog() { openDialog<Win32SpeedDialog, SpeedDialog>(handle(), services_); }

void Win32SetupWindow::showAboutBox() { openDialog<Win32AboutBox, AboutBox>(handle()); }

} // namespace almanix
