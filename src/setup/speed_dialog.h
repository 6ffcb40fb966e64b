#pragma once

#include <span>
#include <string>
#include <string_view>

#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The move speed dialog: a slider of pixels per move step.
const WindowLayout& speedDialogLayout();

struct SpeedDialogControls {
    static constexpr std::string_view slider = "moveSpeed";
    static constexpr std::string_view okButton = "Command1";
    static constexpr std::string_view cancelButton = "Command2";
    static constexpr std::string_view speedLabel = "lblspeed";
};

class SpeedDialogView : public FormView {
public:
    // A change of the slider's value, by the user or by these calls, is
    // reported to SpeedDialog::speedChanged.
    virtual void setSliderMaximum(int maximum) = 0;
    virtual void setSliderMinimum(int minimum) = 0;
    virtual int sliderValue() = 0;
    virtual void setSliderValue(int value) = 0;

    virtual void setSpeedText(const std::string& text) = 0;
};

class SpeedDialog {
public:
    SpeedDialog(SpeedDialogView& view, SetupServices& services);

    static std::span<const ControlAction<SpeedDialog>> actions();

    // Centres the dialog and sets the slider to the stored speed.
    void load();
    void speedChanged();
    // Stores the slider's value and closes; a failed store is shown and the dialog stays.
    void accept();
    void cancel();
    void frameClosed() { cancel(); }

private:
    SpeedDialogView& view_;
    SetupServices& services_;
};

} // namespace almanix
