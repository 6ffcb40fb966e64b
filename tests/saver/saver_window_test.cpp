#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "saver/frame.h"
#include "saver/motion.h"
#include "saver/saver_window.h"
#include "saver_fakes.h"

namespace almanix {
namespace {

using namespace almanix::testing;

// Records what the presenter asks of its window; a close request comes back
// to the presenter as a shell would pass it.
class RecordingView final : public SaverWindowView {
public:
    SaverWindow* window = nullptr;
    std::vector<std::string> log;
    std::deque<bool> passwordAnswers;
    bool closed = false;

    int copies = 0;

    void fillBlack(const PixelRect&) override {}
    void copyImage(std::int32_t, std::int32_t, ImageSize) override { ++copies; }
    ImageSize screenSize() override { return {1024, 768}; }
    ImageSize windowSize() override { return {320, 200}; }
    void showCursor(bool show) override { log.push_back(show ? "show cursor" : "hide cursor"); }
    void resetPointerShape() override { log.push_back("default pointer"); }
    void startTimer() override { log.push_back("timer on"); }
    void stopTimer() override { log.push_back("timer off"); }
    void requestClose() override {
        if (window->closeRequested()) {
            closed = true;
            log.push_back("closed");
        }
    }
    bool verifyScreenSavePassword() override {
        log.push_back("password");
        // Input that reaches the saver while the password dialog is up.
        log.push_back(window->closeRequested() ? "inner close done" : "inner close waits");
        const bool answer = passwordAnswers.empty() || passwordAnswers.front();
        if (!passwordAnswers.empty()) passwordAnswers.pop_front();
        return answer;
    }
};

struct Saver : ::testing::Test, FakeSystem {
    FakePictureLoader pictures{files};
    FakeDueCheck dueCheck{platform.eventStore()};
    RecordingView view;
    CellCanvas canvas;
    SeededRandom seeded;
    SaverOptions options{SaverPlacement::fullScreen, {.moveSpeed = 10, .daysBeforeEvent = 1}, SaverPassword::off};
    const std::string pics = "C:\\Almanix\\pics\\";

    std::unique_ptr<SaverWindow> saver(RandomSource& random) {
        auto window = std::make_unique<SaverWindow>(options, SaverWindowServices{view, canvas, pictures, dueCheck,
                                                                                 random, platform.eventStore(),
                                                                                 services, messages, console});
        view.window = window.get();
        return window;
    }
    std::unique_ptr<SaverWindow> loaded() {
        auto window = saver(seeded);
        EXPECT_TRUE(window->load());
        return window;
    }
};

TEST_F(Saver, AnUnreadablePicturesFolderIsReportedAndNothingRuns) {
    options.password = SaverPassword::on;
    files.unlistableFolders.insert(pics);
    files.files[eventFile] = "#12/05/2026 Saturday Old\r\n";
    auto window = saver(seeded);
    EXPECT_FALSE(window->load());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find(pics), std::string::npos);
    EXPECT_EQ(services.runningStates, (std::vector<bool>{false}));
    EXPECT_TRUE(view.log.empty()); // the cursor was never hidden, no timer runs
    EXPECT_TRUE(files.writeLog.empty());
}

TEST_F(Saver, InADaemonWindowTheSaverKeepsToItsWindow) {
    options.placement = SaverPlacement::daemonWindow;
    files.unlistableFolders.insert(pics);
    auto window = loaded();
    // The window's own size bounds the motion: the daemon gives each monitor one.
    EXPECT_EQ(window->motion().screenWidth, 320);
    EXPECT_EQ(window->motion().screenHeight, 200);
    EXPECT_TRUE(messages.shown.empty()); // the end-to-end run reads the console's line
    // The help notice instead of pictures, cut to the window's width.
    ASSERT_EQ(canvas.drawn.size(), 4u);
    EXPECT_EQ(canvas.drawn[0].line, "You can put some favorite pic...");
    // Input is the daemon's, and so is the cursor.
    for (const auto& [x, y] : {std::pair(5, 5), std::pair(50, 60), std::pair(70, 80)}) window->mouseMoved(x, y);
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(view.log, std::vector<std::string>{"timer on"});
}

TEST_F(Saver, DueEventsAreCheckedAgainOnceEachClockHour) {
    files.files[eventFile] = "#12/06/2026 Sunday Meeting\r\n";
    auto window = loaded();
    ASSERT_EQ(files.writeLog.size(), 1u);
    // Each tick's time, and whether it checks the events again.
    const std::pair<LocalDateTime, bool> ticks[] = {
        {{{2026, 12, 6}, 10, 59, 59}, false}, {{{2026, 12, 6}, 11, 0, 0}, true}, {{{2026, 12, 6}, 11, 0, 1}, false},
        {{{2026, 12, 6}, 11, 59, 59}, false}, {{{2026, 12, 6}, 12, 0, 0}, true}, {{{2026, 12, 7}, 12, 0, 0}, true},
    };
    for (const auto& [at, checked] : ticks) {
        SCOPED_TRACE(::testing::Message() << at.hour << ":" << at.minute << ":" << at.second);
        const std::size_t writes = files.writeLog.size();
        clock.moment = at;
        window->tick();
        EXPECT_EQ(files.writeLog.size(), writes + (checked ? 1 : 0));
    }
    // The event expired on the 7th: pictures only from the next scene on.
    EXPECT_EQ(window->motion().showMode, ShowMode::picturesOnly);
    EXPECT_EQ(files.files[eventFile], "");
}

TEST_F(Saver, MouseMovesEndTheSaverAfterTheFirstInEveryPlacement) {
    using Moves = std::vector<std::pair<std::int32_t, std::int32_t>>;
    // Each row: the moves, and the index of the one that ends the saver (the moves' count when none does).
    const std::tuple<const char*, Moves, std::size_t> cases[] = {
        {"the first move records; any later one elsewhere ends it", {{400, 300}, {400, 300}, {401, 300}}, 2},
        {"a resting pointer at (0, 0) records anew", {{0, 0}, {0, 0}, {3, 4}, {3, 4}, {3, 5}}, 4},
        {"one coordinate at 0 is an ordinary record", {{0, 7}, {0, 8}}, 1},
    };
    for (SaverPlacement placement : {SaverPlacement::fullScreen, SaverPlacement::preview}) {
        for (const auto& [name, moves, endsAt] : cases) {
            SCOPED_TRACE(name);
            options.placement = placement;
            view = {};
            auto window = loaded();
            std::size_t ended = moves.size();
            for (std::size_t i = 0; i < moves.size() && !view.closed; ++i) {
                window->mouseMoved(moves[i].first, moves[i].second);
                if (view.closed) ended = i;
            }
            EXPECT_EQ(ended, endsAt);
        }
    }
}

TEST_F(Saver, ThePasswordIsAskedOnlyWhereItGuardsTheSaver) {
    // Each row: the password setting, and the log after load for a key, a wrong password and a key again.
    const std::tuple<const char*, SaverPassword, std::vector<std::string>> cases[] = {
        {"guarded, with a close while the password is asked",
         SaverPassword::on,
         {"show cursor", "password", "inner close waits", "hide cursor", "show cursor", "password", "inner close waits",
          "hide cursor", "timer off", "show cursor", "default pointer", "closed"}},
        {"not guarded", SaverPassword::off, {"timer off", "show cursor", "default pointer", "closed"}},
    };
    for (const auto& [name, password, expectedLog] : cases) {
        SCOPED_TRACE(name);
        options.password = password;
        view = {};
        services.runningStates.clear();
        view.passwordAnswers = {false, true};
        auto window = loaded();
        view.log.clear();
        window->keyPressed();
        if (!view.closed) {
            EXPECT_TRUE(window->running()); // goes on where it was
            window->keyPressed();
        }
        EXPECT_EQ(view.log, expectedLog);
        EXPECT_FALSE(window->running());
        // The system keys come back on only where the start switched them off.
        EXPECT_EQ(services.runningStates,
                  password == SaverPassword::on ? std::vector<bool>{false} : std::vector<bool>{});
    }
}

// A check that takes long (a huge file, another copy's lock) keeps the first
// scene waiting a second at most; its notice then comes with a later scene.
TEST_F(Saver, TheFirstSceneWaitsForTheDueCheckASecondAtMost) {
    files.files[eventFile] = "#12/06/2026 Sunday Meeting\r\n";
    for (const int answeredAfter : {3, 20}) {
        SCOPED_TRACE(answeredAfter);
        dueCheck.answerAtOnce = false;
        dueCheck.asked = 0;
        view = {};
        canvas = {};
        auto window = loaded();
        for (int tick = 1; tick <= answeredAfter; ++tick) {
            if (tick == answeredAfter) dueCheck.answerWaiting();
            window->tick();
        }
        // The due notice begins with an empty line; the help notice does not.
        EXPECT_EQ(canvas.drawn.at(1).line,
                  answeredAfter < 10 ? "12/06/2026 Sunday Meeting" : "C:\\Almanix\\Pics, but file format must");
        EXPECT_EQ(window->motion().showMode, ShowMode::noticesAndPictures);
        EXPECT_EQ(dueCheck.asked, 1);
    }
}

// Scenes alternate the due notice with each usable picture in turn: one that
// cannot be decoded, or is too flat to see, never shows. A picture that takes
// its time to decode changes when its scene begins, never what any scene shows,
// at what size, nor where and how the image moves.
TEST_F(Saver, NoticesAlternateWithTheUsablePicturesHoweverLongTheyTakeToDecode) {
    options.settings.moveSpeed = 30;
    const std::pair<const char*, ImageSize> pictureSizes[] = {
        {"a.bmp", {100, 50}},  {"b.jpg", {120, 80}},   {"c.gif", {10, 10}},  {"d.jpg", {2048, 1536}},
        {"e.bmp", {600, 400}}, {"f.gif", {800, 1200}}, {"g.bmp", {5000, 3}},
    };
    for (const auto& [name, size] : pictureSizes) {
        files.files[pics + name] = name[2] == 'j' ? "\xFF\xD8" : name[2] == 'b' ? "BM" : "GIF";
        pictures.sizes[pics + name] = size;
    }
    pictures.undecodable.insert(pics + "b.jpg");
    std::vector<std::vector<std::string>> runs;
    // Answers at once, or only every 50th tick, so that scenes wait for their pictures.
    for (int answerEvery : {0, 50}) {
        pictures.answerAtOnce = answerEvery == 0;
        files.files[eventFile] = "#12/06/2026 Sunday Meeting\r\n";
        auto window = loaded();
        std::vector<std::string>& scenes = runs.emplace_back();
        const auto note = [&] {
            const Motion& m = window->motion();
            const std::string content = canvas.clears > 0 ? "notice" : pictures.current.substr(pics.size());
            scenes.push_back(::testing::PrintToString(
                std::make_tuple(content, window->imageSize().width, m.x, m.y, m.stepX, m.stepY, m.touchLimit)));
        };
        note();
        for (int tick = 1; tick < 20000 && scenes.size() < 24; ++tick) {
            if (answerEvery > 0 && tick % answerEvery == 0) pictures.answerWaiting();
            canvas.clears = 0;
            const std::size_t shown = pictures.shown.size();
            window->tick();
            if (canvas.clears > 0 || pictures.shown.size() != shown) note();
        }
    }
    ASSERT_EQ(runs[0].size(), 24u);
    EXPECT_EQ(runs[0], runs[1]);
    std::set<std::string> picturesShown;
    for (std::size_t scene = 0; scene < runs[0].size(); ++scene) {
        const std::string content = runs[0][scene].substr(2, runs[0][scene].find('"', 2) - 2);
        EXPECT_EQ(content == "notice", scene % 2 == 0) << runs[0][scene];
        if (content != "notice") picturesShown.insert(content);
    }
    EXPECT_EQ(picturesShown, (std::set<std::string>{"a.bmp", "c.gif", "d.jpg", "e.bmp", "f.gif"}));
}

// Each scene's content is a fixed size; the log says what was shown.
class SizedScenes final : public SceneContent {
public:
    ImageSize current;
    std::deque<ImageSize> next;
    std::vector<std::string> shown;

    explicit SizedScenes(ImageSize first) : current(first) {}
    ImageSize imageSize() override { return current; }
    void showDueNotice() override { advance("notice"); }
    void showPicture() override { advance("picture"); }

private:
    void advance(const char* kind) {
        shown.push_back(kind);
        if (!next.empty()) {
            current = next.front();
            next.pop_front();
        }
    }
};

TEST(Motion, PickStepsSlantsOneAxis) {
    // Each row: the speed, the draws (exact axis, faster or slower, deviation) and the steps.
    std::tuple<std::int16_t, ScriptedRandom, std::int16_t, std::int16_t> cases[] = {
        {10, {0.9f, 0.9f, 0.9f}, 10, 12}, {10, {0.1f, 0.1f, 0.5f}, 9, 10},   {10, {0.5f, 0.2f, 0.0f}, 10, 10},
        {2, {0.0f, 0.0f, 0.7f}, 0, 2},    {1, {0.99f, 0.49f, 0.99f}, 1, -1}, {30, {0.0f, 0.5f, 0.4f}, 31, 30},
    };
    for (auto& [speed, draws, stepX, stepY] : cases) {
        SCOPED_TRACE(speed);
        Motion motion;
        pickSteps(motion, draws, speed);
        EXPECT_EQ(std::pair(motion.stepX, motion.stepY), std::pair(stepX, stepY));
        EXPECT_TRUE(draws.allUsed());
    }
}

TEST(Motion, TheFirstImageEntersFromTheDrawnSide) {
    // Each row: the side drawn, where the image stands then, and its steps.
    const std::tuple<float, std::int32_t, std::int32_t, std::int16_t, std::int16_t> cases[] = {
        {0.0f, 512, -40, 5, 6}, // above the top
        {0.3f, 1024, 192, -5, 6}, // beyond the right edge, heading left
        {0.6f, 512, 768, 5, -6}, // below the bottom, heading up
        {0.9f, -100, 192, 5, 6}, // before the left edge
    };
    for (const auto& [side, x, y, dx, dy] : cases) {
        SCOPED_TRACE(side);
        ScriptedRandom random{0.4f, 0.5f, 0.25f, side};
        Motion motion{.stepX = 5, .stepY = 6};
        placeOnScreen(motion, random, {1024, 768});
        enterFromRandomSide(motion, random, {100, 40});
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY), std::make_tuple(x, y, dx, dy));
    }
}

// Each row: where the image stands on a 1024 x 768 screen with three touches
// to bounce, its steps and touches, before and after one check of an image
// of that width, 40 tall, and whether a new scene began.
TEST(Motion, CheckEdgesActsOnTheFirstRuleThatHolds) {
    struct Place {
        std::int32_t x, y;
        std::int16_t dx, dy, touches = 0;
    };
    struct Case {
        const char* name;
        Place before;
        std::int32_t width;
        Place after;
        bool newScene;
    };
    const Case cases[] = {
        {"a step of 0 counts as moving right", {1024, 300, 0, 3}, 100, {1024, 300, 0, 3}, true},
        {"left on the right: back the other way", {1030, 300, 5, 3}, 100, {1030, 300, -5, 3}, true},
        {"left on the left: placed a new width outside", {-100, 300, -5, 3}, 100, {-300, 300, 5, 3}, true},
        {"left at the bottom", {300, 768, 5, 3}, 100, {300, 768, 5, -3}, true},
        {"left at the top: placed a new height outside", {300, -40, 5, -3}, 100, {300, -60, 5, 3}, true},
        {"right touch", {924, 300, 5, 3}, 100, {924, 300, -5, 3, 1}, false},
        {"top touch", {300, 0, 5, -3}, 100, {300, 0, 5, 3, 1}, false},
        {"bottom touch", {300, 728, 5, 3}, 100, {300, 728, 5, -3, 1}, false},
        {"right and bottom in one tick: only the side counts", {924, 728, 5, 3}, 100, {924, 728, -5, 3, 1}, false},
        {"wider than the screen touches at once", {-10, 300, 5, 3}, 1100, {-10, 300, -5, 3, 1}, false},
        {"and on the other side too", {-15, 300, -5, 3, 1}, 1100, {-15, 300, 5, 3, 2}, false},
        {"the touch that reaches the limit flies through", {0, 300, -5, 3, 2}, 100, {0, 300, -5, 3, 3}, false},
        {"beyond the limit it keeps counting", {1000, 300, 5, 3, 7}, 100, {1000, 300, 5, 3, 8}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [x, y, dx, dy, touches] = c.before;
        Motion motion{x, y, dx, dy, 1024, 768, touches, 3};
        SizedScenes scenes({c.width, 40});
        scenes.next = {{300, 60}};
        ScriptedRandom random{0.0f};
        checkEdges(motion, random, scenes);
        EXPECT_EQ(std::make_tuple(motion.x, motion.y, motion.stepX, motion.stepY, motion.edgeTouches),
                  std::make_tuple(c.after.x, c.after.y, c.after.dx, c.after.dy, c.after.touches));
        EXPECT_EQ(scenes.shown.size(), c.newScene ? 1u : 0u);
    }
}

TEST(Motion, WhilePicturesOnlyShowTheNoticeKeepsItsTurn) {
    Motion motion{.noticeNext = true, .showMode = ShowMode::picturesOnly};
    SizedScenes scenes({10, 10});
    ScriptedRandom random{0.5f, 0.5f};
    nextScene(motion, random, scenes);
    nextScene(motion, random, scenes);
    EXPECT_TRUE(motion.noticeNext);
    EXPECT_EQ(scenes.shown, (std::vector<std::string>{"picture", "picture"}));
}

// That the strips leave no trail is judged on real windows, by the shells'
// tests and the end-to-end runs; here, exactly where they lie.
TEST(Frame, TrailingStripsOfEachDirection) {
    // Each row: the steps of an image of 30 x 8 at (10, 20), and its strips of rows and of columns.
    const std::tuple<std::int32_t, std::int32_t, PixelRect, PixelRect> cases[] = {
        {3, 2, {10, 20, 39, 21}, {10, 20, 12, 27}}, // right and down: top rows, left columns
        {-3, -2, {10, 26, 39, 27}, {37, 20, 39, 27}}, // left and up: bottom rows, right columns
        {-4, 1, {10, 20, 39, 20}, {36, 20, 39, 27}},
        {0, 2, {10, 20, 39, 21}, {9, 20, 10, 27}}, // step 0: the column outside and the edge
        {3, 0, {10, 19, 39, 20}, {10, 20, 12, 27}},
    };
    for (const auto& [dx, dy, rows, columns] : cases) {
        SCOPED_TRACE(::testing::Message() << dx << "," << dy);
        const TrailingStrips strips = trailingStrips(10, 20, dx, dy, {30, 8});
        EXPECT_EQ(strips.rows, rows);
        EXPECT_EQ(strips.columns, columns);
    }
}

} // namespace
} // namespace almanix
