#include "win32/win32_form_view.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include "win32/win32_text.h"

namespace almanix {

bool handleDialogKey(HWND dialog, const MSG& message, HWND defaultButton) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
    if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
    if (message.hwnd != dialog && !IsChild(dialog, message.hwnd)) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        HWND focus = GetFocus();
        HWND pressed = focus && IsChild(dialog, focus) && isPushButton(focus) ? focus : defaultButton;
        if (pressed && IsWindowEnabled(pressed))
            SendMessageA(GetParent(pressed), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(pressed), BN_CLICKED),
                         reinterpret_cast<LPARAM>(pressed));
    }
    return true;
}

Win32FormView::Win32FormView(const WindowLayout& layout) : Win32Form(layout), layout_(layout) {}

bool Win32FormView::create(HWND owner) {
    if (isDialog()) return createForm(WS_POPUP | WS_CAPTION | WS_SYSMENU, owner);
    HMENU menu = CreateMenu();
    UINT id = kFirstMenuId;
    for (const MenuItem& item : layout_.menu) {
        const std::string caption(item.caption);
        AppendMenuA(menu, MF_STRING, id++, caption.c_str());
    }
    // A fixed single border: a title bar with the system menu, no sizing frame.
    if (createForm(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, owner, menu)) return true;
    DestroyMenu(menu);
    return false;
}

void Win32FormView::onControlsCreated() {
    for (const ControlLayout& entry : layout_.controls) {
        if (entry.kind == ControlKind::calendar) {
            auto calendar = std::make_unique<Win32Calendar>();
            calendar->takeOver(control(entry.name));
            calendars_.emplace(entry.name, std::move(calendar));
        } else if (entry.kind == ControlKind::slider) {
            reportedSliderValues_[entry.name] = value(entry.name);
        }
    }
}

void Win32FormView::runModal() {
    if (!handle()) return;
    HWND owner = GetWindow(handle(), GW_OWNER);
    // EnableWindow answers whether the window was disabled already.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(handle(), SW_SHOW);
    if (HWND first = firstFocus()) focus(nameOf(first));
    MSG message{};
    bool quitting = false;
    while (!ended_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            quitting = got == 0;
            break;
        }
        // The dialog manager still moves the focus with Tab and Shift+Tab.
        if (handleDialogKey(handle(), message, defaultButton()) || IsDialogMessageA(handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner comes back first, so that it, and no other program's window, becomes active.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (handle()) DestroyWindow(handle());
    if (quitting) PostQuitMessage(static_cast<int>(message.wParam));
}

void Win32FormView::closeWindow() {
    if (!isDialog()) {
        DestroyWindow(handle());
        return;
    }
    ended_ = true;
    // Wakes the modal loop should it be waiting for a message.
    if (handle()) PostMessageA(handle(), WM_NULL, 0, 0);
}

void Win32FormView::showDialog(const WindowLayout& dialog, const PresenterMaker& maker) {
    Win32FormView view(dialog);
    if (!view.create(handle())) return;
    const std::unique_ptr<FormPresenter> presenter = maker(view);
    view.attach(*presenter);
    presenter->load();
    view.runModal();
}

LRESULT Win32FormView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // Destroyed from outside, with its owner say: the modal loop must not wait on.
        ended_ = true;
        // The main window is the program's last: the process ends with it.
        if (!isDialog()) PostQuitMessage(0);
    }
    return Win32Form::handleMessage(message, wParam, lParam);
}

void Win32FormView::report(std::string_view control) {
    if (presenter_ && !control.empty()) presenter_->controlUsed(control);
}

void Win32FormView::onCommand(std::string_view control, UINT notification) {
    if (notification == BN_CLICKED) report(control);
}

void Win32FormView::onMenu(UINT id) {
    if (id >= kFirstMenuId && id - kFirstMenuId < layout_.menu.size()) report(layout_.menu[id - kFirstMenuId].name);
}

LRESULT Win32FormView::onNotify(std::string_view control, const NMHDR& header) {
    const auto calendar = calendars_.find(control);
    if (calendar == calendars_.end() || !presenter_) return 0;
    if (const auto date = calendar->second->pickedDate(header)) presenter_->datePicked(control, *date);
    return 0;
}

void Win32FormView::onHScroll(std::string_view control) {
    if (reportedSliderValues_.count(control)) reportSliderChange(control);
}

void Win32FormView::reportSliderChange(std::string_view slider) {
    const auto reported = reportedSliderValues_.find(slider);
    if (reported == reportedSliderValues_.end()) return;
    const int current = value(slider);
    if (current == reported->second) return;
    reported->second = current;
    report(slider);
}

void Win32FormView::onClose() {
    if (presenter_)
        presenter_->frameClosed();
    else
        closeWindow();
}

std::string Win32FormView::text(std::string_view control) { return windowTextOf(this->control(control)); }

void Win32FormView::setText(std::string_view control, std::string_view text) {
    HWND window = this->control(control);
    SetWindowTextA(window, std::string(text).c_str());
    // A label that sizes itself keeps its left edge.
    const ControlLayout* entry = layout_.control(control);
    if (entry && entry->style.autoSize) fitToText(window);
}

bool Win32FormView::isChecked(std::string_view checkBox) {
    return SendMessageA(control(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32FormView::setChecked(std::string_view checkBox, bool checked) {
    SendMessageA(control(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32FormView::appendItem(std::string_view list, std::string_view item) {
    // Items are only shown, never read back, so an event of a UTF-16 file shows its own characters.
    SendMessageW(control(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shownTextOf(item).c_str()));
}

void Win32FormView::removeItem(std::string_view list, std::size_t index) {
    SendMessageA(control(list), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

std::optional<std::size_t> Win32FormView::selectedItem(std::string_view list) {
    const LRESULT index = SendMessageA(control(list), LB_GETCURSEL, 0, 0);
    if (index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

void Win32FormView::selectItem(std::string_view list, std::optional<std::size_t> index) {
    // -1 clears the selection; an item is also scrolled into view.
    SendMessageA(control(list), LB_SETCURSEL, index ? static_cast<WPARAM>(*index) : static_cast<WPARAM>(-1), 0);
}

void Win32FormView::setRange(std::string_view slider, int lowest, int highest) {
    SendMessageA(control(slider), TBM_SETRANGEMAX, TRUE, highest);
    SendMessageA(control(slider), TBM_SETRANGEMIN, TRUE, lowest);
    reportSliderChange(slider);
}

int Win32FormView::value(std::string_view slider) {
    return static_cast<int>(SendMessageA(control(slider), TBM_GETPOS, 0, 0));
}

void Win32FormView::setValue(std::string_view slider, int value) {
    SendMessageA(control(slider), TBM_SETPOS, TRUE, value);
    reportSliderChange(slider);
}

void Win32FormView::setEnabled(std::string_view control, bool enabled) {
    EnableWindow(this->control(control), enabled);
}

void Win32FormView::focus(std::string_view control) {
    HWND window = this->control(control);
    if (!window) return;
    SetFocus(window);
    // As the dialog manager does: a text box that takes the focus has its text selected.
    if (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(window, EM_SETSEL, 0, -1);
}

CalendarControl& Win32FormView::calendar(std::string_view calendar) { return *calendars_.at(calendar); }

std::optional<std::string> Win32FormView::choosePath(std::string_view nearControl, const PathChoice& choice) {
    enum : UINT { fileItem = 1, folderItem };
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, fileItem, std::string(choice.fileCaption).c_str());
    AppendMenuA(menu, MF_STRING, folderItem, std::string(choice.folderCaption).c_str());
    RECT place{};
    if (HWND anchor = control(nearControl)) GetWindowRect(anchor, &place);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, place.left, place.bottom, 0, handle(), nullptr));
    DestroyMenu(menu);
    char path[MAX_PATH] = {};
    if (chosen == fileItem) {
        // "Calendars (*.ics)" and its pattern, then every file, each a pair of texts ending in NULs.
        const std::string filter = std::string(choice.filePattern) + '\0' + std::string(choice.filePattern) + '\0' +
                                   "*.*" + '\0' + "*.*" + '\0';
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = handle();
        dialog.lpstrFilter = filter.c_str();
        dialog.lpstrFile = path;
        dialog.nMaxFile = sizeof path;
        dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
        if (!GetOpenFileNameA(&dialog)) return std::nullopt;
        return std::string(path);
    }
    if (chosen == folderItem) {
        const std::string title(choice.folderCaption);
        BROWSEINFOA browse{};
        browse.hwndOwner = handle();
        browse.lpszTitle = title.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        LPITEMIDLIST folder = SHBrowseForFolderA(&browse);
        if (!folder) return std::nullopt;
        const bool named = SHGetPathFromIDListA(folder, path);
        CoTaskMemFree(folder);
        if (named) return std::string(path);
    }
    return std::nullopt;
}

Win32MainWindow openMainWindow(const WindowLayout& layout, const PresenterMaker& maker) {
    Win32MainWindow window{std::make_unique<Win32FormView>(layout), nullptr};
    if (!window.view->create(nullptr)) return {};
    window.presenter = maker(*window.view);
    window.view->attach(*window.presenter);
    window.presenter->load();
    ShowWindow(window.view->handle(), SW_SHOW);
    UpdateWindow(window.view->handle());
    return window;
}

} // namespace almanix
