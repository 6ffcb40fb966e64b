#pragma once

#include <string>
#include <string_view>

#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The setup window: a title, a paragraph of help and a menu bar that opens
// the dialogs.
const WindowLayout& setupWindowLayout();

// The help paragraph, naming the pictures folder as given.
std::string helpParagraph(std::string_view picturesFolderText);

class SetupWindow final : public FormPresenter {
public:
    SetupWindow(FormView& view, SetupServices& services);

    // Fills in the help and centres the window.
    void load() override;
    void controlUsed(std::string_view control) override;
    // Nothing asks or saves: the window goes, and the program with it.
    void frameClosed() override { view_.closeWindow(); }

    // Each dialog is made anew at every opening and shown modally.
    void openEventsDialog();
    void openSpeedDialog();
    void openCalendarsDialog();
    void openAboutBox();

private:
    FormView& view_;
    SetupServices& services_;
};

} // namespace almanix
