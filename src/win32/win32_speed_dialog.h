#pragma once

#include "setup/speed_dialog.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The move speed dialog's window; its presenter decides everything.
class Win32SpeedDialog final : public Win32Dialog<SpeedDialogView> {
public:
    Win32SpeedDialog() : Win32Dialog(speedfmLayout()) {}

    // Creates the dialog, hidden; false on failure.
    bool create(HWND owner);
    void attach(SpeedDialog& presenter);

    void setSliderMaximum(int maximum) override;
    void setSliderMinimum(int minimum) override;
    int sliderValue() override;
    void setSliderValue(int value) override;
    void setSpeedText(const std::string& text) override;

protected:
    void onCommand(std::string_view control, UINT notification) override;
    void onHScroll(std::string_view control) override;

private:
    // The trackbar tells of moves by the user only: every change is reported from here.
    void reportChange();

    SpeedDialog* presenter_ = nullptr;
    int reportedValue_ = 0;
};

} // namespace almanix
