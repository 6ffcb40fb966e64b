#include <gtest/gtest.h>

#include <set>

#include "setup/about_box.h"
#include "setup/calendars_dialog.h"
#include "setup/events_dialog.h"
#include "setup/setup_window.h"
#include "setup/speed_dialog.h"

namespace almanix {
namespace {

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
