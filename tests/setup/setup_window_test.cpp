#include <gtest/gtest.h>

#include "setup/about_box.h"
#include "setup/fake_setup_views.h"

namespace almanix {
namespace {

TEST(SetupWindowTest, LoadCentresAndNamesThePicturesFolderTheMenuOpensTheDialogs) {
    testing::FakeSetupWindowView view;
    view.window = {6630, 6900};
    testing::RecordingDialogs dialogs;
    SetupWindow window(view, dialogs, "~/Almanix/pics");
    window.load();
    EXPECT_DOUBLE_EQ(view.position->left, 4365);
    EXPECT_DOUBLE_EQ(view.position->top, 2310);
    EXPECT_NE(view.labels[std::string(SetupWindowControls::helpLabel)].find(" on directory ~/Almanix/pics. That means"), std::string::npos);

    for (const MenuItem& item : setupWindowLayout().menu) EXPECT_TRUE(runAction(SetupWindow::actions(), window, item.name));
    EXPECT_FALSE(runAction(SetupWindow::actions(), window, "nothing"));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"events", "speed", "about"}));
}

TEST(FormLayout, TwipsBecomePixelsAtTheDisplaysResolution) {
    const std::tuple<double, double, int> cases[] = {
        {7350, 96, 490}, {5490, 96, 366}, {7350, 120, 612}, {7.5, 96, 0}, {22.5, 96, 2}, {1440, 144, 144},
    };
    for (const auto& [twips, dotsPerInch, pixels] : cases) EXPECT_EQ(pixelsOfTwips(twips, dotsPerInch), pixels);
}

TEST(FormLayout, EveryControlFitsItsWindowOrFrame) {
    for (const WindowLayout* window : {&setupWindowLayout(), &eventsDialogLayout(), &speedDialogLayout(), &aboutBoxLayout()}) {
        for (const ControlLayout& control : window->controls) {
            SCOPED_TRACE(std::string(window->name) + " " + std::string(control.name));
            const ControlLayout* frame = control.container.empty() ? nullptr : window->control(control.container);
            EXPECT_EQ(frame == nullptr, control.container.empty());
            EXPECT_LE(control.left + control.width, frame ? frame->width : window->clientWidth);
            EXPECT_LE(control.top + control.height, frame ? frame->height : window->clientHeight);
        }
    }
}

// A name that no control carries would leave its button doing nothing.
TEST(FormLayout, EveryActionNamesAControlOrMenuItemOfItsWindow) {
    const auto check = [](const WindowLayout& window, auto actions) {
        for (const auto& action : actions) {
            SCOPED_TRACE(std::string(window.name) + " " + std::string(action.control));
            const bool isMenuItem = std::any_of(window.menu.begin(), window.menu.end(),
                                                [&](const MenuItem& item) { return item.name == action.control; });
            EXPECT_TRUE(window.control(action.control) || isMenuItem);
        }
    };
    check(setupWindowLayout(), SetupWindow::actions());
    check(eventsDialogLayout(), EventsDialog::actions());
    check(speedDialogLayout(), SpeedDialog::actions());
    check(aboutBoxLayout(), AboutBox::actions());
}

} // namespace
} // namespace almanix
