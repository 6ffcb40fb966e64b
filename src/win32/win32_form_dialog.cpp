#include "win32/win32_form_dialog.h"

namespace almanix {

bool handleDialogKey(HWND dialog, const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
    if (message.hwnd != dialog && !IsChild(dialog, message.hwnd)) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus) && isPushButton(focus))
            SendMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
    }
    return true;
}

bool Win32FormDialog::createDialog(HWND owner) { return createForm(WS_POPUP | WS_CAPTION | WS_SYSMENU, owner); }

void Win32FormDialog::runModal() {
    if (!handle()) return;
    HWND owner = GetWindow(handle(), GW_OWNER);
    // EnableWindow answers whether the window was disabled already.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(handle(), SW_SHOW);
    focusFirstControl();
    MSG message{};
    bool quitting = false;
    while (!ended_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            quitting = got == 0;
            break;
        }
        // The dialog manager still moves the focus with Tab and Shift+Tab.
        if (handleDialogKey(handle(), message) || IsDialogMessageA(handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner comes back first, so that it, and no other program's window, becomes active.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (handle()) DestroyWindow(handle());
    if (quitting) PostQuitMessage(static_cast<int>(message.wParam));
}

void Win32FormDialog::endModal() {
    ended_ = true;
    // Wakes the loop should it be waiting for a message.
    if (handle()) PostMessageA(handle(), WM_NULL, 0, 0);
}

void Win32FormDialog::focusFirstControl() {
    HWND first = firstFocus();
    if (!first) return;
    SetFocus(first);
    // As the dialog manager does: a text box that takes the focus has its text selected.
    if (SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(first, EM_SETSEL, 0, -1);
}

LRESULT Win32FormDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Destroyed from outside, with its owner say: the loop must not wait on.
    if (message == WM_DESTROY) ended_ = true;
    return Win32Form::handleMessage(message, wParam, lParam);
}

} // namespace almanix
