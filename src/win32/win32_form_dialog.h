#pragma once

#include "setup/form_view.h"
#include "win32/win32_form.h"

namespace almanix {

// Keeps the dialog manager from Enter and Escape: Enter presses the focused
// push button and nothing else, Escape presses nothing. True when the message
// was one of these keys for the dialog and has been dealt with.
bool handleDialogKey(HWND dialog, const MSG& message);

// A fixed-size dialog built from its table, shown modally over its owner: the
// owner takes no input until the dialog ends, and the dialog is destroyed then.
class Win32FormDialog : public Win32Form {
public:
    // Creates the dialog, hidden; false on failure.
    bool createDialog(HWND owner);
    // Shows the dialog and returns once it has ended and been destroyed.
    void runModal();
    // Ends the modal loop once the message in hand has been handled.
    void endModal();
    bool hasEnded() const { return ended_; }
    void focusFirstControl();

protected:
    using Win32Form::Win32Form;

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onClose() override { endModal(); }

private:
    bool ended_ = false;
};

// A dialog's view: the window operations every dialog shares, and its
// presenter, which hears of the clicks on the buttons and check boxes by its
// table of actions, and of a close through the frame.
template <typename View, typename Presenter>
class Win32Dialog : public Win32FormDialog, public View {
public:
    void attach(Presenter& presenter) { presenter_ = &presenter; }

    TwipSize screenSize() override { return screenTwips(); }
    TwipSize windowSize() override { return windowTwips(); }
    void moveWindow(TwipPoint position) override { moveTo(position); }
    void closeWindow() override { endModal(); }

protected:
    using Win32FormDialog::Win32FormDialog;

    // Null until a presenter is attached.
    Presenter* presenter() const { return presenter_; }

    void onCommand(std::string_view control, UINT notification) override {
        if (presenter_ && notification == BN_CLICKED) runAction(Presenter::actions(), *presenter_, control);
    }
    void onClose() override {
        if (presenter_)
            presenter_->frameClosed();
        else
            endModal();
    }

private:
    Presenter* presenter_ = nullptr;
};

} // namespace almanix
