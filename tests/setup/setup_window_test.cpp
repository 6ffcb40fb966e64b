#include <gtest/gtest.h>

#include "setup/about_box.h"
#include "setup/fake_setup_views.h"

namespace almanix {
namespace {

TEST(SetupWindowTest, LoadCentresAndNamesThePicturesFolderTheMenuOpensTheDialogs) {
    testing::FakeSetupWindowView view;
    view.window = {6630, 6900};
    testing::RecordingDialogs dialogs;
    SetupWindow window(view, dialogs, kLinuxPicturesFolderText);
    window.Form_Load();
    EXPECT_DOUBLE_EQ(view.position->left, 4365);
    EXPECT_DOUBLE_EQ(view.position->top, 2310);
    EXPECT_NE(view.labels["Label3"].find(" on directory ~/Almanix/pics. That means"), std::string::npos);

    window.muevents_Click();
    window.muspeed_Click();
    window.muabout_Click();
    window.muevents_Click();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"events", "speed", "about", "events"}));
}

TEST(FormLayout, TwipsBecomePixelsAtTheDisplaysResolution) {
    const std::tuple<double, double, int> cases[] = {
        {7350, 96, 490}, {5490, 96, 366}, {7350, 120, 612}, {7.5, 96, 0}, {22.5, 96, 2}, {1440, 144, 144},
    };
    for (const auto& [twips, dotsPerInch, pixels] : cases) EXPECT_EQ(pixelsOfTwips(twips, dotsPerInch), pixels);
}

TEST(FormLayout, EveryControlFitsItsWindowOrFrame) {
    for (const WindowLayout* window : {&setupfmLayout(), &eventsfmLayout(), &speedfmLayout(), &aboutfmLayout()}) {
        for (const ControlLayout& control : window->controls) {
            SCOPED_TRACE(std::string(window->name) + " " + std::string(control.name));
            const ControlLayout* frame = control.container.empty() ? nullptr : window->control(control.container);
            EXPECT_EQ(frame == nullptr, control.container.empty());
            EXPECT_LE(control.left + control.width, frame ? frame->width : window->clientWidth);
            EXPECT_LE(control.top + control.height, frame ? frame->height : window->clientHeight);
        }
    }
}

} // namespace
} // namespace almanix
