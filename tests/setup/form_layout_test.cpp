#include <gtest/gtest.h>

#include <algorithm>

#include "setup/about_box.h"
#include "setup/events_dialog.h"
#include "setup/setup_window.h"
#include "setup/speed_dialog.h"

namespace almanix {
namespace {

TEST(FormLayout, EveryControlFitsItsWindowOrFrame) {
    for (const WindowLayout* window :
         {&setupWindowLayout(), &eventsDialogLayout(), &speedDialogLayout(), &aboutBoxLayout()}) {
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
