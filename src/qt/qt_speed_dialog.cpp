#include "qt/qt_speed_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace almanix {

QtSpeedDialog::QtSpeedDialog(QWidget* parent)
    : QtDialog(parent, speedfmLayout()),
      slider_(form_.get<QSlider>("moveSpeed")),
      speedLabel_(form_.get<QLabel>("lblspeed")) {
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setPageStep(5);
}

void QtSpeedDialog::attach(SpeedDialog& presenter) {
    connect(slider_, &QSlider::valueChanged, this, [&presenter] { presenter.moveSpeed_Change(); });
    connect(form_.get<QPushButton>("Command1"), &QPushButton::clicked, this, [&presenter] { presenter.Command1_Click(); });
    connect(form_.get<QPushButton>("Command2"), &QPushButton::clicked, this, [&presenter] { presenter.Command2_Click(); });
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
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
