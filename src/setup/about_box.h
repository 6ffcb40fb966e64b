#pragma once

#include <string_view>

#include "setup/form_view.h"

namespace almanix {

// The about box: who makes the program and where to write to.
const WindowLayout& aboutBoxLayout();

class AboutBox final : public FormPresenter {
public:
    explicit AboutBox(FormView& view) : view_(view) {}

    void load() override { centreForm(view_); }
    void controlUsed(std::string_view control) override {
        if (control == "okButton") view_.closeWindow();
    }
    // Closing through the window frame does what OK does.
    void frameClosed() override { view_.closeWindow(); }

private:
    FormView& view_;
};

} // namespace almanix
