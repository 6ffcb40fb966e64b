#include "win32/win32_speed_dialog.h"

#include <commctrl.h>

namespace almanix {

void Win32SpeedDialog::onControlsCreated() {
    SendMessageA(slider(), TBM_SETTICFREQ, 1, 0);
    SendMessageA(slider(), TBM_SETLINESIZE, 0, 1);
    SendMessageA(slider(), TBM_SETPAGESIZE, 0, 5);
    reportedValue_ = sliderValue();
}

void Win32SpeedDialog::onHScroll(std::string_view control) {
    if (control == SpeedDialogControls::slider) reportChange();
}

void Win32SpeedDialog::reportChange() {
    const int value = sliderValue();
    if (value == reportedValue_) return;
    reportedValue_ = value;
    if (presenter()) presenter()->speedChanged();
}

void Win32SpeedDialog::setSliderMaximum(int maximum) {
    SendMessageA(slider(), TBM_SETRANGEMAX, TRUE, maximum);
    reportChange();
}

void Win32SpeedDialog::setSliderMinimum(int minimum) {
    SendMessageA(slider(), TBM_SETRANGEMIN, TRUE, minimum);
    reportChange();
}

int Win32SpeedDialog::sliderValue() { return static_cast<int>(SendMessageA(slider(), TBM_GETPOS, 0, 0)); }

void Win32SpeedDialog::setSliderValue(int value) {
    SendMessageA(slider(), TBM_SETPOS, TRUE, value);
    reportChange();
}

void Win32SpeedDialog::setSpeedText(const std::string& text) {
    HWND label = control(SpeedDialogControls::speedLabel);
    SetWindowTextA(label, text.c_str());
    // The label sizes itself to its text and keeps its left edge.
    fitToText(label);
}

} // namespace almanix
