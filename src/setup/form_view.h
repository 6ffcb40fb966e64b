#pragma once

#include "setup/form_layout.h"

namespace almanix {

// What every window of the setup side asks of its shell.
class FormView {
public:
    virtual ~FormView() = default;

    // The whole screen, and this window with its frame, in twips.
    virtual TwipSize screenSize() = 0;
    virtual TwipSize windowSize() = 0;
    // Places the window's outer top-left corner.
    virtual void moveWindow(TwipPoint position) = 0;
    // Closes and destroys the window; a dialog's modal loop then returns.
    virtual void closeWindow() = 0;
};

// left = (screen width - window width) / 2, top likewise.
inline void centreForm(FormView& view) { view.moveWindow(centredPosition(view.screenSize(), view.windowSize())); }

} // namespace almanix
