#pragma once

#include <cstdint>
#include <string>

#include "common/calendar_date.h"
#include "common/console.h"
#include "common/message_box.h"
#include "common/platform_services.h"
#include "events/event_store.h"
#include "saver/due_check.h"
#include "saver/frame.h"
#include "saver/motion.h"
#include "saver/notice.h"
#include "saver/random_source.h"
#include "saver/slideshow.h"
#include "settings/settings_store.h"

namespace almanix {

// Where the saver runs: over the whole screen, inside the display settings'
// preview window, or inside a window that a saver daemon gives it (one per
// monitor), where input and the end are the daemon's.
enum class SaverPlacement { fullScreen, preview, daemonWindow };

// What a start hands the saver window.
struct SaverOptions {
    SaverPlacement placement = SaverPlacement::fullScreen;
    Settings settings;
    SaverPassword password = SaverPassword::off;
};

// The saver window as a shell shows it: full screen, or inside the preview.
class SaverWindowView : public SaverSurface {
public:
    // The whole screen's size in pixels, also in the preview: every monitor's.
    virtual ImageSize screenSize() = 0;
    // The size of the window the saver draws in.
    virtual ImageSize windowSize() = 0;
    // Hides or shows the mouse cursor; the calls are counted and must balance.
    virtual void showCursor(bool show) = 0;
    // Back to the default mouse pointer shape.
    virtual void resetPointerShape() = 0;
    // The timer that calls tick every 100 ms.
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
    DueCheck& dueCheck;
    RandomSource& random;
    EventStore events;
    PlatformServices& platform;
    MessageBoxes& messages;
    Console& console;
};

// The saver window: the first scene at load, then every tick moves the image,
// and input ends the run by the rules of its placement.
class SaverWindow final : private SceneContent, private DueCheckAnswers {
public:
    SaverWindow(const SaverOptions& options, SaverWindowServices services);

    // Prepares the first scene and starts the timer. False when the saver cannot
    // run; the user has been told what failed and the system keys are back on.
    // The first scene waits for the due check, a second at most, and a picture
    // scene for its picture to decode; until then the window stays black.
    bool load();
    // Moves the image one step. A new scene whose picture is still decoding
    // waits, with the old image off the screen, and draws nothing meanwhile.
    void tick();

    // In full screen a key or a mouse button ends the saver; in the preview they
    // belong to the display settings.
    void keyPressed();
    void mouseClicked();
    // In full screen and the preview the first move only records where the
    // pointer is, and any later one elsewhere ends the saver.
    void mouseMoved(std::int32_t x, std::int32_t y);

    // Every request to close the window, whatever its source: true when the
    // window may go, after unload has run; false when the close was cancelled
    // or another one is waiting for the password.
    bool closeRequested();
    // Stops the timer and gives back the cursor and the system keys; also for a
    // window that is destroyed without a close request.
    void unload();

    bool running() const { return running_; }
    const Motion& motion() const { return motion_; }
    // The moving image's width and height.
    ImageSize imageSize() override { return imageSize_; }

private:
    void showDueNotice() override;
    void showPicture() override;
    void dueEventsChecked(DueEvents due) override;
    void askForDueEvents();
    ImageSize screen() const { return {motion_.screenWidth, motion_.screenHeight}; }
    void endInFullScreen();
    void recheckDueEvents();
    // Begins a waiting first scene once its picture is ready; false while it still waits.
    bool startFirstSceneWhenReady();
    // Whether this tick's scene change would need a picture that is not decoded yet.
    bool waitingForPicture() const;
    // Asks for the password where it guards the saver; false when it was not confirmed.
    bool passwordAllowsClose();

    SaverOptions options_;
    SaverWindowServices services_;
    Motion motion_;
    Slideshow slideshow_;
    ImageSize imageSize_;
    std::string dueEventsText_;
    std::size_t dueEventsBeyondText_ = 0; // counted, but too many to be in the text
    std::string fileProblemTold_; // the event file's problem last told on the console
    std::string noPicturesText_;
    LocalDateTime lastCheckTime_;
    std::int32_t lastMouseX_ = 0;
    std::int32_t lastMouseY_ = 0;
    bool running_ = false;
    bool firstSceneWaiting_ = false;
    bool dueCheckRunning_ = false;
    bool dueCheckAskedAgain_ = false; // an hour began while a check ran
    int ticksWaitedForCheck_ = 0;
    // The password dialog runs its own message loop, where more input may arrive.
    bool askingPassword_ = false;
};

} // namespace almanix
