#include "qt/qt_speed_dialog.h"

#include <QLabel>
#include <QSlider>

namespace almanix {

QtSpeedDialog::QtSpeedDialog(QWidget* parent)
    : QtDialog(parent, speedDialogLayout()),
      slider_(form_.get<QSlider>(SpeedDialogControls::slider)),
      speedLabel_(form_.get<QLabel>(SpeedDialogControls::speedLabel)) {
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setPageStep(5);
}

void QtSpeedDialog::attachControls(SpeedDialog& presenter) {
    connect(slider_, &QSlider::valueChanged, this, [&presenter] { presenter.speedChanged(); });
}

void QtSpeedDialog::setSliderMaximum(int maximum) { slider_->setMaximum(maximum); }

void QtSpeedDialog::setSliderMinimum(int minimum) { slider_->setMinimum(minimum); }

int QtSpeedDialog::sliderValue() { return slider_->value(); }

void QtSpeedDialog::setSliderValue(int value) { slider_->setValue(value); }

void QtSpeedDialog::setSpeedText(const std::string& text) {
    speedLabel_->setText(QString::fromStdString(text));
    // The label sizes itself to its text and keeps its left edge.
    speedLabel_->resize(speedLabel_->sizeHint());
}

} // namespace almanix
