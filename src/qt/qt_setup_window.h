#pragma once

#include <QMainWindow>
#include <memory>

#include "qt/qt_form.h"
#include "setup/setup_services.h"
#include "setup/setup_window.h"
#include "startup/platform.h"

namespace almanix {

// The setup window of "almanix /c". Its menu opens each dialog anew, modally.
class QtSetupWindow final : public QMainWindow, public SetupWindowView, public SetupDialogs {
public:
    // The menu's dialogs open through dialogs, or through this window's own when null.
    explicit QtSetupWindow(Platform& platform, SetupDialogs* dialogs = nullptr);

    SetupWindow& presenter() { return presenter_; }

    TwipSize screenSize() override { return screenTwips(*this); }
    TwipSize windowSize() override { return windowTwips(*this); }
    void moveWindow(TwipPoint position) override { moveWindowTo(*this, position); }
    void closeWindow() override { close(); }
    void setLabelText(std::string_view controlName, const std::string& text) override;

    void showEventsDialog() override;
    void showSpeedDialog() override;
    void showAboutBox() override;

private:
    SetupServices services_;
    QWidget* client_;
    std::unique_ptr<QtForm> form_;
    SetupWindow presenter_;
};

// Opens the setup window; it lives until the user closes it through its frame.
bool openSetupWindow(Platform& platform);

} // namespace almanix
