#include <gtest/gtest.h>

#include <set>

#include "setup/about_box.h"
#include "setup/calendars_dialog.h"
#include "setup/events_dialog.h"
#include "setup/fake_form_view.h"
#include "setup/setup_window.h"
#include "setup/speed_dialog.h"

namespace almanix {
namespace {

struct SetupDialogsTest : ::testing::Test, testing::FakeSystem {};

// The end-to-end run stores a speed, cancels and reopens; here, a stored speed
// beyond the limit, the label and a failed store.
TEST_F(SetupDialogsTest, TheSpeedDialogOpensAtTheStoredSpeedTheLabelFollowsOnlyOkStores) {
    for (const bool storeFails : {false, true}) {
        SCOPED_TRACE(storeFails ? "the store fails" : "stored");
        registry.failWrites = storeFails;
        registry.set(RegistryRoot::localMachine, kSettingsKeyPath, kMoveSpeedName, RegistryType::text, "45");
        testing::FakeFormView view(speedDialogLayout());
        SpeedDialog dialog(view, setup);
        view.presenter = &dialog;
        dialog.load();
        EXPECT_EQ(view.values["speedSlider"], 30);
        EXPECT_EQ(view.texts["speedLabel"], "30");
        view.slide("speedSlider", 20);
        EXPECT_EQ(view.texts["speedLabel"], "20");
        view.press("okButton");
        // A failed store is shown, and the dialog stays with the user's choice.
        EXPECT_EQ(view.closings, storeFails ? 0 : 1);
        EXPECT_EQ(messages.shown.size(), storeFails ? 1u : 0u);
        if (storeFails) {
            EXPECT_EQ(messages.shown[0], "The setting could not be saved in HKLM\\SOFTWARE\\Screen saver\\Almanix, "
                                         "where the settings live. Press OK to try again, or Cancel.");
        }
        EXPECT_EQ(stored(kMoveSpeedName), storeFails ? "45" : "20");
    }
}

// Each menu item opens its dialog; the help names this system's pictures folder.
TEST_F(SetupDialogsTest, TheSetupWindowsMenuOpensEachDialog) {
    testing::FakeFormView view(setupWindowLayout());
    SetupWindow window(view, setup);
    view.presenter = &window;
    window.load();
    EXPECT_NE(view.texts["helpLabel"].find("directory C:\\Almanix\\Pics. That means"), std::string::npos);
    for (const char* item : {"eventsItem", "speedItem", "calendarsItem", "aboutItem"}) view.press(item);
    EXPECT_EQ(view.dialogsShown,
              (std::vector<std::string>{"eventsDialog", "speedDialog", "calendarsDialog", "aboutBox"}));
    window.frameClosed();
    EXPECT_EQ(view.closings, 1);
}

// Controls are reached by their names, so a name must be one window's only.
TEST(FormLayout, EveryControlFitsItsWindowOrFrameUnderANameOfItsOwn) {
    for (const WindowLayout* window : {&setupWindowLayout(), &eventsDialogLayout(), &speedDialogLayout(),
                                       &calendarsDialogLayout(), &aboutBoxLayout()}) {
        std::set<std::string_view> names;
        for (const MenuItem& item : window->menu) EXPECT_TRUE(names.insert(item.name).second) << item.name;
        for (const ControlLayout& control : window->controls) {
            SCOPED_TRACE(std::string(window->name) + " " + std::string(control.name));
            EXPECT_TRUE(names.insert(control.name).second);
            const ControlLayout* frame = control.container.empty() ? nullptr : window->control(control.container);
            EXPECT_EQ(frame == nullptr, control.container.empty());
            EXPECT_LE(control.x + control.width, frame ? frame->width : window->clientWidth);
            EXPECT_LE(control.y + control.height, frame ? frame->height : window->clientHeight);
        }
    }
}

} // namespace
} // namespace almanix
