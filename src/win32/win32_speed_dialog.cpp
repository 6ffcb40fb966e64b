#include "win32/win32_speed_dialog.h"

#include <commctrl.h>

namespace almanix {

bool Win32SpeedDialog::create(HWND owner) {
    if (!createDialog(owner)) return false;
    HWND slider = control("moveSpeed");
    SendMessageA(slider, TBM_SETTICFREQ, 1, 0);
    SendMessageA(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, 5);
    reportedValue_ = sliderValue();
    return true;
}

void Win32SpeedDialog::attach(SpeedDialog& presenter) {
    presenter_ = &presenter;
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
}

void Win32SpeedDialog::onCommand(std::string_view control, UINT notification) {
    if (!presenter_ || notification != BN_CLICKED) return;
    if (control == "Command1") presenter_->Command1_Click();
    if (control == "Command2") presenter_->Command2_Click();
}

void Win32SpeedDialog::onHScroll(std::string_view control) {
    if (control == "moveSpeed") reportChange();
}

void Win32SpeedDialog::reportChange() {
    const int value = sliderValue();
    if (value == reportedValue_) return;
    reportedValue_ = value;
    if (presenter_) presenter_->moveSpeed_Change();
}

void Win32SpeedDialog::setSliderMaximum(int maximum) {
    SendMessageA(control("moveSpeed"), TBM_SETRANGEMAX, TRUE, maximum);
    reportChange();
}

void Win32SpeedDialog::setSliderMinimum(int minimum) {
    SendMessageA(control("moveSpeed"), TBM_SETRANGEMIN, TRUE, minimum);
    reportChange();
}

int Win32SpeedDialog::sliderValue() {
    return static_cast<int>(SendMessageA(control("moveSpeed"), TBM_GETPOS, 0, 0));
}

void Win32SpeedDialog::setSliderValue(int value) {
    SendMessageA(control("moveSpeed"), TBM_SETPOS, TRUE, value);
    reportChange();
}

void Win32SpeedDialog::setSpeedText(const std::string& text) {
    HWND label = control("lblspeed");
    SetWindowTextA(label, text.c_str());
    // The label sizes itself to its text and keeps its left edge.
    fitToText(label);
}

} // namespace almanix
