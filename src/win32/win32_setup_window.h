#pragma once

#include "setup/setup_services.h"
#include "setup/setup_window.h"
#include "startup/platform.h"
#include "win32/win32_form.h"

namespace almanix {

// The setup window of "Almanix.scr /c". Its menu opens each dialog anew,
// modally; the process ends when the window closes.
class Win32SetupWindow final : public Win32Form, public SetupWindowView, public SetupDialogs {
public:
    // The menu's dialogs open through dialogs, or through this window's own when null.
    explicit Win32SetupWindow(Platform& platform, SetupDialogs* dialogs = nullptr);

    // Creates the window with its menu bar, hidden; false on failure.
    bool create();
    // Creates, loads and shows the window; false when it could not be created.
    bool open();
    SetupWindow& presenter() { return presenter_; }

    TwipSize screenSize() override { return screenTwips(); }
    TwipSize windowSize() override { return windowTwips(); }
    void moveWindow(TwipPoint position) override { moveTo(position); }
    void closeWindow() override { DestroyWindow(handle()); }
    void setLabelText(std::string_view controlName, const std::string& text) override;

    void showEventsDialog() override;
    void showSpeedDialog() override;
    void showAboutBox() override;

    // The menu bar's command identifiers, one per item of the table.
    static constexpr UINT kFirstMenuId = 1000;

protected:
    void onMenu(UINT id) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SetupServices services_;
    SetupWindow presenter_;
};

} // namespace almanix
