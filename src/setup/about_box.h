#pragma once

#include "setup/form_view.h"

namespace almanix {

// The about box "aboutfm": who makes the program and where to write to.
const WindowLayout& aboutfmLayout();

class AboutBox {
public:
    explicit AboutBox(FormView& view) : view_(view) {}

    void Form_Load() { centreForm(view_); }
    void Command1_Click() { view_.closeWindow(); }
    // Closing through the window frame does what OK does.
    void Form_QueryUnload() { Command1_Click(); }

private:
    FormView& view_;
};

} // namespace almanix
