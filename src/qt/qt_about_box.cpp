#include "qt/qt_about_box.h"

#include <QPushButton>

namespace almanix {

QtAboutBox::QtAboutBox(QWidget* parent) : QtDialog(parent, aboutfmLayout()) {}

void QtAboutBox::attach(AboutBox& presenter) {
    connect(form_.get<QPushButton>("Command1"), &QPushButton::clicked, this, [&presenter] { presenter.Command1_Click(); });
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
}

} // namespace almanix
