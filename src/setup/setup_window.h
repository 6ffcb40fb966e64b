#pragma once

#include <string>
#include <string_view>

#include "setup/form_view.h"

namespace almanix {

// The setup window "setupfm": a title, a paragraph of help and a menu bar that
// opens the three dialogs.
const WindowLayout& setupfmLayout();

// How the help names the pictures folder on each system.
inline constexpr std::string_view kWindowsPicturesFolderText = "C:\\Almanix\\Pics";
inline constexpr std::string_view kLinuxPicturesFolderText = "~/Almanix/pics";

// The help paragraph of Label3, naming the pictures folder as given.
std::string helpParagraph(std::string_view picturesFolderText);

class SetupWindowView : public FormView {
public:
    virtual void setLabelText(std::string_view controlName, const std::string& text) = 0;
};

// Each call creates its dialog, shows it modally and returns once it has been
// destroyed, so that every opening starts afresh.
class SetupDialogs {
public:
    virtual ~SetupDialogs() = default;
    virtual void showEventsDialog() = 0;
    virtual void showSpeedDialog() = 0;
    virtual void showAboutBox() = 0;
};

// Runs one opening of a dialog over its freshly made view: the presenter is
// attached and loaded, the view runs modally, and both go when it returns.
template <typename Presenter, typename View, typename... Services>
void runDialog(View& view, Services&... services) {
    Presenter presenter(view, services...);
    view.attach(presenter);
    presenter.Form_Load();
    view.runModal();
}

class SetupWindow {
public:
    SetupWindow(SetupWindowView& view, SetupDialogs& dialogs, std::string_view picturesFolderText);

    void Form_Load();
    void muevents_Click() { dialogs_.showEventsDialog(); }
    void muspeed_Click() { dialogs_.showSpeedDialog(); }
    void muabout_Click() { dialogs_.showAboutBox(); }

private:
    SetupWindowView& view_;
    SetupDialogs& dialogs_;
    std::string picturesFolderText_;
};

} // namespace almanix
