#pragma once

#include <map>
#include <memory>
#include <string_view>

#include "setup/form_view.h"
#include "win32/win32_calendar.h"
#include "win32/win32_form.h"

namespace almanix {

// Keeps the dialog manager from Enter and Escape: Enter presses the focused
// push button, or else the default button if there is one, and nothing else;
// Escape presses nothing. True when the message was one of these keys for the
// dialog and has been dealt with.
bool handleDialogKey(HWND dialog, const MSG& message, HWND defaultButton);

// Any window of the setup side, built from its layout table: the main window
// with its menu bar, whose closing ends the message loop, or a fixed-size
// dialog shown modally over its owner, which takes no input until the dialog
// ends. It reports what the user does to its presenter and reaches the
// controls by their names.
class Win32FormView final : public Win32Form, public FormView {
public:
    explicit Win32FormView(const WindowLayout& layout);

    // Creates the window, hidden; false on failure.
    bool create(HWND owner);
    // From now on the controls, the menu and the frame report to the presenter.
    void attach(FormPresenter& presenter) { presenter_ = &presenter; }
    // Shows a dialog with its first control focused; returns once it has ended
    // and been destroyed.
    void runModal();
    bool hasEnded() const { return ended_; }

    TwipSize screenSize() override { return screenTwips(); }
    TwipSize windowSize() override { return windowTwips(); }
    void moveWindow(TwipPoint position) override { moveTo(position); }
    void closeWindow() override;
    void showDialog(const WindowLayout& dialog, const PresenterMaker& maker) override;

    std::string text(std::string_view control) override;
    void setText(std::string_view control, std::string_view text) override;
    bool isChecked(std::string_view checkBox) override;
    void setChecked(std::string_view checkBox, bool checked) override;
    void appendItem(std::string_view list, std::string_view item) override;
    void removeItem(std::string_view list, std::size_t index) override;
    std::optional<std::size_t> selectedItem(std::string_view list) override;
    void selectItem(std::string_view list, std::optional<std::size_t> index) override;
    void setRange(std::string_view slider, int lowest, int highest) override;
    int value(std::string_view slider) override;
    void setValue(std::string_view slider, int value) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void focus(std::string_view control) override;
    CalendarControl& calendar(std::string_view calendar) override;
    std::optional<std::string> choosePath(std::string_view nearControl, const PathChoice& choice) override;

    // The menu bar's command identifiers, one per item of the table.
    static constexpr UINT kFirstMenuId = 1000;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onControlsCreated() override;
    void onCommand(std::string_view control, UINT notification) override;
    void onMenu(UINT id) override;
    LRESULT onNotify(std::string_view control, const NMHDR& header) override;
    void onHScroll(std::string_view control) override;
    void onClose() override;

private:
    bool isDialog() const { return layout_.kind == WindowKind::dialog; }
    void report(std::string_view control);
    // The trackbar tells of moves by the user only: every change is reported from here.
    void reportSliderChange(std::string_view slider);

    const WindowLayout& layout_;
    FormPresenter* presenter_ = nullptr;
    std::map<std::string_view, std::unique_ptr<Win32Calendar>> calendars_;
    std::map<std::string_view, int> reportedSliderValues_;
    bool ended_ = false;
};

// The main window of a table and its presenter, which works on it.
struct Win32MainWindow {
    std::unique_ptr<Win32FormView> view;
    std::unique_ptr<FormPresenter> presenter;
};

// Opens the main window of that table with the presenter maker makes; nothing
// when the window could not be created.
Win32MainWindow openMainWindow(const WindowLayout& layout, const PresenterMaker& maker);

} // namespace almanix
