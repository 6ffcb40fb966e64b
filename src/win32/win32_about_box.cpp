#include "win32/win32_about_box.h"

namespace almanix {

void Win32AboutBox::attach(AboutBox& presenter) {
    presenter_ = &presenter;
    setFrameClosed([&presenter] { presenter.Form_QueryUnload(); });
}

void Win32AboutBox::onCommand(std::string_view control, UINT notification) {
    if (presenter_ && notification == BN_CLICKED && control == "Command1") presenter_->Command1_Click();
}

} // namespace almanix
