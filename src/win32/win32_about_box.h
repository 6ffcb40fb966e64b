#pragma once

#include "setup/about_box.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The about box's window.
class Win32AboutBox final : public Win32Dialog<FormView> {
public:
    Win32AboutBox() : Win32Dialog(aboutfmLayout()) {}

    // Creates the box, hidden; false on failure.
    bool create(HWND owner) { return createDialog(owner); }
    void attach(AboutBox& presenter);

protected:
    void onCommand(std::string_view control, UINT notification) override;

private:
    AboutBox* presenter_ = nullptr;
};

} // namespace almanix
