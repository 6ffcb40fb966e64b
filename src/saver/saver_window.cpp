#include "saver/saver_window.h"

#include <utility>

#include "events/upcoming_events.h"
#include "saver/picture_files.h"
#include "settings/settings_store.h"
#include "startup/startup_state.h"

namespace almanix {

namespace {

std::uint32_t secondsSinceMidnight(const LocalDateTime& moment) {
    return static_cast<std::uint32_t>(moment.hour * 3600 + moment.minute * 60 + moment.second);
}

} // namespace

SaverWindow::SaverWindow(SaverWindowServices services)
    : slideshow(services.events.files, services.pictures, services.random), services_(std::move(services)) {}

bool SaverWindow::Form_Load() {
    RandomSource& random = services_.random;
    random.seed(secondsSinceMidnight(services_.events.clock.now()));
    noPicturesText = almanix::noPicturesText(services_.picturesFolderText);
    // The settings come first: the steps and the due check depend on them.
    loadSettings(services_.registry);
    pickSteps(motion, random, gMoveSpeed);
    lastCheckTime = services_.events.clock.now();
    placeOnScreen(motion, random, services_.view.screenSize());

    // A missing pictures folder is simply one without pictures: the picture
    // scenes then tell the user where to put some.
    const std::string folder = services_.events.paths.picturesFolder();
    const FolderListing listing = services_.events.files.listFiles(folder);
    if (listing.status == FolderStatus::unreadable) {
        services_.messages.show("The saver cannot start: the pictures folder " + folder + " cannot be read.",
                                kApplicationTitle);
        switchSystemKeys(services_.platform, "enable");
        return false;
    }
    slideshow.setPictures(folder, pictureNamesOf(listing.fileNames));

    if (checkUpcomingEvents(services_.events) >= 1) {
        motion.showMode = kShowModeNoticesAndPictures;
        showDueNotice();
    } else {
        motion.showMode = kShowModePicturesOnly;
        showPicture();
    }
    // Needs the first image's size, so it comes after the content.
    enterFromRandomSide(motion, random, picSize);

    if (gRunMode == kRunModeFullScreen) services_.view.showCursor(false);
    running_ = true;
    services_.view.startTimer();
    return true;
}

void SaverWindow::Timer1_Timer() {
    if (!running_) return;
    recheckDueEvents();
    checkEdges(motion, services_.random, *this);
    drawFrame(motion, picSize, services_.view);
}

void SaverWindow::recheckDueEvents() {
    // Once a clock hour: started at 10:59, the next check runs just after 11:00.
    const LocalDateTime now = services_.events.clock.now();
    if (hourNumberOf(now) - hourNumberOf(lastCheckTime) <= 0) return;
    lastCheckTime = now;
    // The new text shows when the next notice scene begins.
    motion.showMode = checkUpcomingEvents(services_.events) >= 1 ? kShowModeNoticesAndPictures
                                                                 : kShowModePicturesOnly;
}

void SaverWindow::Form_Click() { unloadInFullScreen(); }
void SaverWindow::Form_DblClick() { unloadInFullScreen(); }
void SaverWindow::Form_KeyDown() { unloadInFullScreen(); }
void SaverWindow::Form_KeyPress() { unloadInFullScreen(); }
void SaverWindow::Form_MouseDown() { unloadInFullScreen(); }

void SaverWindow::unloadInFullScreen() {
    if (running_ && gRunMode == kRunModeFullScreen) services_.view.requestClose();
}

void SaverWindow::Form_MouseMove(std::int32_t x, std::int32_t y) {
    if (!running_) return;
    // No threshold: the first move only records where the pointer is, and any
    // later one elsewhere ends the saver. While the record is (0, 0), every
    // move records anew.
    if (lastMouseX == 0 && lastMouseY == 0) {
        lastMouseX = x;
        lastMouseY = y;
    }
    if (lastMouseX != x || lastMouseY != y) services_.view.requestClose();
}

bool SaverWindow::closeRequested() {
    if (!running_) return true;
    if (askingPassword_) return false; // the answer being asked decides
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) return false;
    Form_Unload();
    return true;
}

void SaverWindow::Form_QueryUnload(bool& cancel) {
    if (gRunMode != kRunModeFullScreen || gWinVersion != "95" || gUsePassword != 1) return;
    SaverWindowView& view = services_.view;
    view.showCursor(true);
    askingPassword_ = true;
    if (!view.verifyScreenSavePassword()) cancel = true;
    askingPassword_ = false;
    view.showCursor(false);
}

void SaverWindow::Form_Unload() {
    SaverWindowView& view = services_.view;
    view.stopTimer();
    running_ = false;
    if (gRunMode == kRunModeFullScreen) view.showCursor(true);
    view.resetPointerShape();
    switchSystemKeys(services_.platform, "enable");
}

void SaverWindow::showDueNotice() { picSize = showNotice(gDueEventsText, services_.canvas, services_.random); }

void SaverWindow::showPicture() {
    const ImageSize screen{motion.screenW, motion.screenH};
    if (const auto shown = slideshow.showPicture(screen)) picSize = *shown;
    else picSize = showNotice(noPicturesText, services_.canvas, services_.random);
}

} // namespace almanix
