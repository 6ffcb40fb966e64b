#pragma once

#include <string_view>

#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The move speed dialog: a slider of pixels per move step.
const WindowLayout& speedDialogLayout();

class SpeedDialog final : public FormPresenter {
public:
    SpeedDialog(FormView& view, SetupServices& services);

    // Centres the dialog and sets the slider to the stored speed.
    void load() override;
    void controlUsed(std::string_view control) override;
    void frameClosed() override { cancel(); }

    // The label follows the slider's every change.
    void speedChanged();
    // Stores the slider's value and closes; a failed store is shown and the dialog stays.
    void accept();
    void cancel();

private:
    FormView& view_;
    SetupServices& services_;
};

} // namespace almanix
