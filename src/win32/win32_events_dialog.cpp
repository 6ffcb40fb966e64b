#include "win32/win32_events_dialog.h"

#include <string_view>

namespace almanix {

bool Win32EventsDialog::create(HWND owner) {
    if (!createDialog(owner)) return false;
    calendar_ = std::make_unique<Win32Calendar>(control("Calendar1"));
    return true;
}

void Win32EventsDialog::attach(EventsDialog& presenter) {
    presenter_ = &presenter;
    calendar_->reportTo(presenter);
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
}

void Win32EventsDialog::onCommand(std::string_view control, UINT notification) {
    if (!presenter_ || notification != BN_CLICKED) return;
    if (control == "Command1") presenter_->Command1_Click();
    if (control == "Command2") presenter_->Command2_Click();
    if (control == "Command3") presenter_->Command3_Click();
    if (control == "Command4") presenter_->Command4_Click();
    for (CalendarOption option : kCalendarOptions)
        if (control == checkBoxNameOf(option)) presenter_->checkBoxClicked(option);
}

LRESULT Win32EventsDialog::onNotify(std::string_view control, const NMHDR& header) {
    if (control == "Calendar1") calendar_->onNotify(header);
    return 0;
}

std::string Win32EventsDialog::text(EventsTextBox box) { return windowTextOf(control(textBoxNameOf(box))); }

void Win32EventsDialog::setText(EventsTextBox box, const std::string& text) {
    SetWindowTextA(control(textBoxNameOf(box)), text.c_str());
}

bool Win32EventsDialog::isChecked(CalendarOption option) {
    return SendMessageA(control(checkBoxNameOf(option)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32EventsDialog::setChecked(CalendarOption option, bool checked) {
    SendMessageA(control(checkBoxNameOf(option)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32EventsDialog::appendListItem(const std::string& item) {
    SendMessageA(control("lbxEvents"), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void Win32EventsDialog::removeListItem(int index) {
    SendMessageA(control("lbxEvents"), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int Win32EventsDialog::selectedListIndex() {
    return static_cast<int>(SendMessageA(control("lbxEvents"), LB_GETCURSEL, 0, 0));
}

void Win32EventsDialog::selectListItem(int index) {
    // -1 clears the selection; an item is also scrolled into view.
    SendMessageA(control("lbxEvents"), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace almanix
