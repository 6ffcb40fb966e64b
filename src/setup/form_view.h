#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/calendar_date.h"
#include "setup/calendar.h"
#include "setup/form_layout.h"

namespace almanix {

class FormView;

// A window's behaviour: what it shows when it opens and what its controls do.
// Its view reports to it what the user does.
class FormPresenter {
public:
    virtual ~FormPresenter() = default;

    // The window and its controls exist and are about to be shown.
    virtual void load() = 0;
    // A button was pressed, a check box ticked or cleared, a menu item chosen or
    // a slider's value changed, by the user or by the program.
    virtual void controlUsed(std::string_view control) = 0;
    // The user picked a date on a calendar control.
    virtual void datePicked(std::string_view /*calendar*/, const CalendarDate& /*date*/) {}
    // The window's frame asked to close it: its close box, or the system's keys.
    virtual void frameClosed() = 0;
};

// What a user may pick through FormView::choosePath: a file of a kind, or a folder.
struct PathChoice {
    std::string_view fileCaption; // the menu's entry for a file: "A calendar file (.ics)..."
    std::string_view folderCaption; // and for a folder
    std::string_view filePattern; // the files the file dialog lists: "*.ics"
};

// Makes the presenter of a dialog whose view has just been built.
using PresenterMaker = std::function<std::unique_ptr<FormPresenter>(FormView& view)>;

// A window built from its layout table by a shell, whose controls the
// presenter reaches by the names the table gives them. Each shell has one of
// these for every window and dialog.
class FormView {
public:
    virtual ~FormView() = default;

    // The whole screen, and this window with its frame, in twips.
    virtual TwipSize screenSize() = 0;
    virtual TwipSize windowSize() = 0;
    // Places the window's outer top-left corner.
    virtual void moveWindow(TwipPoint position) = 0;
    // Closes and destroys the window; a dialog's modal run then returns.
    virtual void closeWindow() = 0;
    // Builds the dialog of that table, modal over this window, with the
    // presenter that maker makes, and returns once the dialog has closed.
    virtual void showDialog(const WindowLayout& dialog, const PresenterMaker& maker) = 0;

    // A text box's text, or a label's; a label that sizes itself follows its text.
    virtual std::string text(std::string_view control) = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    // A check box; setting it is not reported as a use.
    virtual bool isChecked(std::string_view checkBox) = 0;
    virtual void setChecked(std::string_view checkBox, bool checked) = 0;
    // A list box's items and its one selected item.
    virtual void appendItem(std::string_view list, std::string_view item) = 0;
    virtual void removeItem(std::string_view list, std::size_t index) = 0;
    virtual std::optional<std::size_t> selectedItem(std::string_view list) = 0;
    // Selects the item, scrolled into view, or clears the selection.
    virtual void selectItem(std::string_view list, std::optional<std::size_t> index) = 0;
    // A slider; every change of its value is reported as a use, the program's too.
    virtual void setRange(std::string_view slider, int lowest, int highest) = 0;
    virtual int value(std::string_view slider) = 0;
    virtual void setValue(std::string_view slider, int value) = 0;
    // Any control that takes input.
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual void focus(std::string_view control) = 0;
    // A calendar control, whose picks are reported to FormPresenter::datePicked.
    virtual CalendarControl& calendar(std::string_view calendar) = 0;
    // A menu by the control offers a file or a folder, then the system's dialog
    // picks it; nothing when the user cancels either.
    virtual std::optional<std::string> choosePath(std::string_view nearControl, const PathChoice& choice) = 0;
};

// left = (screen width - window width) / 2, top likewise.
inline void centreForm(FormView& view) { view.moveWindow(centredPosition(view.screenSize(), view.windowSize())); }

// Opens a dialog modally over owner with a presenter made of the view and the
// services, as every opening starts afresh.
template <typename Presenter, typename... Services>
void openDialog(FormView& owner, const WindowLayout& dialog, Services&... services) {
    owner.showDialog(dialog, [&](FormView& view) { return std::make_unique<Presenter>(view, services...); });
}

} // namespace almanix
