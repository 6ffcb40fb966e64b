#pragma once

#include "qt/qt_form.h"
#include "setup/about_box.h"

namespace almanix {

// The about box's window.
class QtAboutBox final : public QtDialog<FormView, AboutBox> {
public:
    explicit QtAboutBox(QWidget* parent) : QtDialog(parent, aboutBoxLayout()) {}
};

} // namespace almanix
