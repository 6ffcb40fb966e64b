#pragma once

#include <span>
#include <string_view>

#include "setup/form_view.h"

namespace almanix {

// The about box: who makes the program and where to write to.
const WindowLayout& aboutBoxLayout();

struct AboutBoxControls {
    static constexpr std::string_view okButton = "Command1";
};

class AboutBox {
public:
    explicit AboutBox(FormView& view) : view_(view) {}

    static std::span<const ControlAction<AboutBox>> actions();

    void load() { centreForm(view_); }
    void accept() { view_.closeWindow(); }
    // Closing through the window frame does what OK does.
    void frameClosed() { accept(); }

private:
    FormView& view_;
};

} // namespace almanix
