#include "saver/saver_window.h"

#include <algorithm>
#include <utility>

#include "common/text_lines.h"
#include "events/due_events.h"
#include "saver/picture_files.h"

namespace almanix {

namespace {

// Ten ticks: a second.
constexpr int kTicksWaitedForFirstCheck = 10;

std::uint32_t secondsSinceMidnight(const LocalDateTime& moment) {
    return static_cast<std::uint32_t>(moment.hour * 3600 + moment.minute * 60 + moment.second);
}

} // namespace

SaverWindow::SaverWindow(const SaverOptions& options, SaverWindowServices services)
    : options_(options),
      services_(std::move(services)),
      slideshow_(services_.pictures, services_.random) {}

bool SaverWindow::load() {
    RandomSource& random = services_.random;
    Clock& clock = services_.events.clock;
    random.seed(secondsSinceMidnight(clock.now()));
    noPicturesText_ = noPicturesText(services_.events.paths.picturesFolderText);
    pickSteps(motion_, random, options_.settings.moveSpeed);
    lastCheckTime_ = clock.now();
    // A daemon gives each monitor a window of its own, and the image stays in it.
    const bool inDaemonWindow = options_.placement == SaverPlacement::daemonWindow;
    placeOnScreen(motion_, random, inDaemonWindow ? services_.view.windowSize() : services_.view.screenSize());

    // A missing pictures folder is simply one without pictures: the picture
    // scenes then tell the user where to put some.
    const std::string folder = services_.events.paths.picturesFolder();
    FolderListing listing = services_.events.files.listFiles(folder);
    if (listing.status == FolderStatus::unreadable && inDaemonWindow) {
        // Behind the daemon's window nobody could answer a box: say it to its log.
        services_.console.writeError("the pictures folder " + folder + " cannot be read; showing the help instead");
        listing.fileNames.clear();
    } else if (listing.status == FolderStatus::unreadable) {
        services_.messages.show("The saver cannot start: the pictures folder " + folder + " cannot be read.",
                                kApplicationTitle);
        switchSystemKeys(services_.platform, options_.password, SystemKeys::enabled);
        return false;
    }
    slideshow_.setPictures(folder, pictureNamesOf(listing.fileNames), screen());

    motion_.showMode = ShowMode::picturesOnly;
    services_.dueCheck.answerTo(*this);
    askForDueEvents();
    firstSceneWaiting_ = true;
    startFirstSceneWhenReady();

    if (options_.placement == SaverPlacement::fullScreen) services_.view.showCursor(false);
    running_ = true;
    services_.view.startTimer();
    return true;
}

void SaverWindow::tick() {
    if (!running_) return;
    recheckDueEvents();
    if (!startFirstSceneWhenReady() || waitingForPicture()) return;
    checkEdges(motion_, services_.random, *this);
    drawFrame(motion_, imageSize_, services_.view);
}

bool SaverWindow::startFirstSceneWhenReady() {
    if (!firstSceneWaiting_) return true;
    // A check that takes longer, of a huge file or behind another copy's lock,
    // shows its notice from a later scene on.
    if (dueCheckRunning_ && ticksWaitedForCheck_++ < kTicksWaitedForFirstCheck) return false;
    if (motion_.showMode == ShowMode::noticesAndPictures)
        showDueNotice();
    else if (slideshow_.ready())
        showPicture();
    else
        return false;
    firstSceneWaiting_ = false;
    // Needs the first image's size, so it comes after the content.
    enterFromRandomSide(motion_, services_.random, imageSize_);
    return true;
}

bool SaverWindow::waitingForPicture() const {
    return exitSide(motion_, imageSize_) != ExitSide::none && nextSceneShowsPicture(motion_) && !slideshow_.ready();
}

void SaverWindow::recheckDueEvents() {
    // Once a clock hour: started at 10:59, the next check runs just after 11:00.
    const LocalDateTime now = services_.events.clock.now();
    if (hourNumberOf(now) - hourNumberOf(lastCheckTime_) <= 0) return;
    lastCheckTime_ = now;
    // One check at a time: the hour's check follows one still running.
    if (dueCheckRunning_)
        dueCheckAskedAgain_ = true;
    else
        askForDueEvents();
}

void SaverWindow::askForDueEvents() {
    dueCheckRunning_ = true;
    services_.dueCheck.check(options_.settings.daysBeforeEvent);
}

void SaverWindow::dueEventsChecked(DueEvents due) {
    dueCheckRunning_ = false;
    const std::string problem = eventFileProblem(due.file, services_.events.paths.eventFile());
    if (!problem.empty() && options_.placement != SaverPlacement::daemonWindow) {
        // Nobody reads a console here: the problem takes the notice's place.
        dueEventsText_ = std::string(kLineEnd) + problem;
        dueEventsBeyondText_ = 0;
        motion_.showMode = ShowMode::noticesAndPictures;
    } else {
        // Behind a daemon, its log hears of it once, and again only when it changes.
        if (problem != fileProblemTold_ && !problem.empty()) services_.console.writeError(problem);
        fileProblemTold_ = problem;
        // The new text shows when the next notice scene begins.
        const auto announced = std::min<std::size_t>(static_cast<std::size_t>(due.count), kMostAnnouncedEvents);
        dueEventsBeyondText_ = static_cast<std::size_t>(due.count) - announced;
        dueEventsText_ = std::move(due.text);
        motion_.showMode = due.count >= 1 ? ShowMode::noticesAndPictures : ShowMode::picturesOnly;
    }
    if (dueCheckAskedAgain_) {
        dueCheckAskedAgain_ = false;
        askForDueEvents();
    }
}

void SaverWindow::keyPressed() { endInFullScreen(); }

void SaverWindow::mouseClicked() { endInFullScreen(); }

void SaverWindow::endInFullScreen() {
    if (running_ && options_.placement == SaverPlacement::fullScreen) services_.view.requestClose();
}

void SaverWindow::mouseMoved(std::int32_t x, std::int32_t y) {
    if (!running_ || options_.placement == SaverPlacement::daemonWindow) return;
    // No threshold: while the record is (0, 0), every move records anew.
    if (lastMouseX_ == 0 && lastMouseY_ == 0) {
        lastMouseX_ = x;
        lastMouseY_ = y;
    }
    if (lastMouseX_ != x || lastMouseY_ != y) services_.view.requestClose();
}

bool SaverWindow::closeRequested() {
    if (!running_) return true;
    if (askingPassword_) return false; // the answer being asked decides
    if (!passwordAllowsClose()) return false;
    unload();
    return true;
}

bool SaverWindow::passwordAllowsClose() {
    if (options_.placement != SaverPlacement::fullScreen || options_.password != SaverPassword::on) return true;
    SaverWindowView& view = services_.view;
    view.showCursor(true);
    askingPassword_ = true;
    const bool confirmed = view.verifyScreenSavePassword();
    askingPassword_ = false;
    view.showCursor(false);
    return confirmed;
}

void SaverWindow::unload() {
    SaverWindowView& view = services_.view;
    view.stopTimer();
    running_ = false;
    if (options_.placement == SaverPlacement::fullScreen) view.showCursor(true);
    view.resetPointerShape();
    switchSystemKeys(services_.platform, options_.password, SystemKeys::enabled);
}

void SaverWindow::showDueNotice() {
    imageSize_ = showNotice(dueEventsText_, screen(), services_.canvas, services_.random, dueEventsBeyondText_);
}

void SaverWindow::showPicture() {
    if (const auto shown = slideshow_.showPicture())
        imageSize_ = *shown;
    else
        imageSize_ = showNotice(noPicturesText_, screen(), services_.canvas, services_.random);
}

} // namespace almanix
