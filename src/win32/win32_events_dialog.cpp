#include "win32/win32_events_dialog.h"

namespace almanix {

void Win32EventsDialog::onControlsCreated() { calendar_.takeOver(control(EventsDialogControls::calendar)); }

LRESULT Win32EventsDialog::onNotify(std::string_view control, const NMHDR& header) {
    if (control != EventsDialogControls::calendar || !presenter()) return 0;
    if (const auto date = calendar_.pickedDate(header)) presenter()->calendar().picked(*date);
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
    SendMessageA(eventList(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void Win32EventsDialog::removeListItem(int index) {
    SendMessageA(eventList(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int Win32EventsDialog::selectedListIndex() { return static_cast<int>(SendMessageA(eventList(), LB_GETCURSEL, 0, 0)); }

void Win32EventsDialog::selectListItem(int index) {
    // -1 clears the selection; an item is also scrolled into view.
    SendMessageA(eventList(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace almanix
