#pragma once

#include "qt/qt_form.h"
#include "setup/speed_dialog.h"

class QLabel;
class QSlider;

namespace almanix {

// The move speed dialog's window; its presenter decides everything.
class QtSpeedDialog final : public QtDialog<SpeedDialogView, SpeedDialog> {
public:
    explicit QtSpeedDialog(QWidget* parent);

    void setSliderMaximum(int maximum) override;
    void setSliderMinimum(int minimum) override;
    int sliderValue() override;
    void setSliderValue(int value) override;
    void setSpeedText(const std::string& text) override;

protected:
    void attachControls(SpeedDialog& presenter) override;

private:
    QSlider* slider_;
    QLabel* speedLabel_;
};

} // namespace almanix
