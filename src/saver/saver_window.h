#pragma once

#include <cstdint>
#include <string>

#include "common/calendar_date.h"
#include "common/message_box.h"
#include "events/event_store.h"
#include "saver/frame.h"
#include "saver/motion.h"
#include "saver/notice.h"
#include "saver/random_source.h"
#include "saver/slideshow.h"
#include "settings/registry.h"
#include "startup/platform_services.h"

namespace almanix {

// The saver window as a shell shows it: full screen, or inside the preview.
class SaverWindowView : public SaverSurface {
public:
    // The whole screen's size in pixels, also in the preview.
    virtual ImageSize screenSize() = 0;
    // Hides or shows the mouse cursor; the calls are counted and must balance.
    virtual void showCursor(bool show) = 0;
    // Back to the default mouse pointer shape.
    virtual void resetPointerShape() = 0;
    // Timer1, which calls Timer1_Timer every 100 ms.
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    // Asks the window to close. The shell passes this request, and every other
    // one (the system's, the preview window's going), to closeRequested.
    virtual void requestClose() = 0;
    // The screen-saver password check of the 95 family: true when the password
    // was confirmed, and also when no check can be run, so nobody is locked in.
    virtual bool verifyScreenSavePassword() = 0;
};

struct SaverWindowServices {
    SaverWindowView& view;
    NoticeCanvas& canvas;
    PictureLoader& pictures;
    RandomSource& random;
    Registry& registry;
    EventStore& events;
    PlatformServices& platform;
    MessageBoxes& messages;
    // How the help notice names the pictures folder to the user.
    std::string picturesFolderText;
};

// The saver window: the first scene at load, then every tick moves the image,
// and input ends the run by the rules of the run mode.
class SaverWindow final : private SceneContent {
public:
    explicit SaverWindow(SaverWindowServices services);

    // Prepares the first scene and starts the timer. False when the saver cannot
    // run; the user has been told what failed and the system state is restored.
    bool Form_Load();
    void Timer1_Timer();

    void Form_Click();
    void Form_DblClick();
    void Form_KeyDown();
    void Form_KeyPress();
    void Form_MouseDown();
    void Form_MouseMove(std::int32_t x, std::int32_t y);

    // Every request to close the window, whatever its source: true when the
    // window may go, after Form_Unload has run; false when the close was cancelled
    // or another one is waiting for the password.
    bool closeRequested();
    void Form_QueryUnload(bool& cancel);
    void Form_Unload();

    bool running() const { return running_; }
    // The moving image's width and height (Pic).
    ImageSize imageSize() override { return picSize; }

    LocalDateTime lastCheckTime;
    std::string noPicturesText;
    std::int32_t lastMouseX = 0;
    std::int32_t lastMouseY = 0;
    Motion motion;
    Slideshow slideshow;
    ImageSize picSize;

private:
    void showDueNotice() override;
    void showPicture() override;
    // Input that ends the saver in full screen only.
    void unloadInFullScreen();
    void recheckDueEvents();

    SaverWindowServices services_;
    bool running_ = false;
    // The password dialog runs its own message loop, where more input may arrive.
    bool askingPassword_ = false;
};

} // namespace almanix
