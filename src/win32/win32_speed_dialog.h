#pragma once

#include "setup/speed_dialog.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The move speed dialog's window; its presenter decides everything.
class Win32SpeedDialog final : public Win32Dialog<SpeedDialogView, SpeedDialog> {
public:
    Win32SpeedDialog() : Win32Dialog(speedDialogLayout()) {}

    void setSliderMaximum(int maximum) override;
    void setSliderMinimum(int minimum) override;
    int sliderValue() override;
    void setSliderValue(int value) override;
    void setSpeedText(const std::string& text) override;

protected:
    void onControlsCreated() override;
    void onHScroll(std::string_view control) override;

private:
    HWND slider() const { return control(SpeedDialogControls::slider); }
    // The trackbar tells of moves by the user only: every change is reported from here.
    void reportChange();

    int reportedValue_ = 0;
};

} // namespace almanix
