#pragma once

#include <span>
#include <string>
#include <string_view>

#include "setup/form_view.h"

namespace almanix {

// The setup window: a title, a paragraph of help and a menu bar that opens
// the three dialogs.
const WindowLayout& setupWindowLayout();

struct SetupWindowControls {
    static constexpr std::string_view helpLabel = "Label3";
    static constexpr std::string_view eventsItem = "muevents";
    static constexpr std::string_view speedItem = "muspeed";
    static constexpr std::string_view aboutItem = "muabout";
};

// The help paragraph, naming the pictures folder as given.
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
    presenter.load();
    view.runModal();
}

class SetupWindow {
public:
    SetupWindow(SetupWindowView& view, SetupDialogs& dialogs, std::string_view picturesFolderText);

    // What each menu item does.
    static std::span<const ControlAction<SetupWindow>> actions();

    // Fills in the help and centres the window.
    void load();
    void openEventsDialog() { dialogs_.showEventsDialog(); }
    void openSpeedDialog() { dialogs_.showSpeedDialog(); }
    void openAboutBox() { dialogs_.showAboutBox(); }

private:
    SetupWindowView& view_;
    SetupDialogs& dialogs_;
    std::string picturesFolderText_;
};

} // namespace almanix
