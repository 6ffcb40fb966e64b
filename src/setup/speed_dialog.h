#pragma once

#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The move speed dialog "speedfm": a slider of pixels per move step.
const WindowLayout& speedfmLayout();

class SpeedDialogView : public FormView {
public:
    // moveSpeed. A change of its value raises moveSpeed_Change.
    virtual void setSliderMaximum(int maximum) = 0;
    virtual void setSliderMinimum(int minimum) = 0;
    virtual int sliderValue() = 0;
    virtual void setSliderValue(int value) = 0;

    virtual void setSpeedText(const std::string& text) = 0; // lblspeed
};

class SpeedDialog {
public:
    SpeedDialog(SpeedDialogView& view, SetupServices& services);

    void Form_Load();
    // Closing through the window frame: the same as Cancel.
    void Form_QueryUnload() { Command2_Click(); }
    void moveSpeed_Change();
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

private:
    SpeedDialogView& view_;
    SetupServices& services_;
};

} // namespace almanix
