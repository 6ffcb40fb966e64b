#pragma once

#include "setup/about_box.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The about box's window; it only shows its table and closes on OK.
class Win32AboutBox final : public Win32Dialog<FormView, AboutBox> {
public:
    Win32AboutBox() : Win32Dialog(aboutBoxLayout()) {}
};

} // namespace almanix
