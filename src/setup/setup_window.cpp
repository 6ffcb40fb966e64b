#include "setup/setup_window.h"

#include "setup/about_box.h"
#include "setup/calendars_dialog.h"
#include "setup/events_dialog.h"
#include "setup/speed_dialog.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};

constexpr ControlLayout kControls[] = {
    {.name = "titleLabel",
     .kind = ControlKind::label,
     .caption = "Almanix Screen Saver",
     .x = 1680,
     .y = 240,
     .width = 2895,
     .height = 855,
     .font = FontChoice{"Times New Roman", 18, true, true},
     .style = {.wordWrap = true, .alignment = TextAlignment::centre, .foreground = {ColourRole::fixed, {0, 0, 255}}}},
    {.name = "helpLabel",
     .kind = ControlKind::label,
     .x = 120,
     .y = 1200,
     .width = 6255,
     .height = 3015,
     .font = FontChoice{"Times New Roman", 11.25, true},
     .style = {.wordWrap = true}},
};

constexpr MenuItem kMenu[] = {
    {"eventsItem", "&Events "},
    {"speedItem", "Move &Speed"},
    {"calendarsItem", "&Calendars"},
    {"aboutItem", "&About"},
};

constexpr WindowLayout kLayout{.name = "setupWindow",
                               .kind = WindowKind::mainWindow,
                               .title = "Setup",
                               .clientWidth = 6510,
                               .clientHeight = 6180,
                               .defaultFont = kDefaultFont,
                               .controls = kControls,
                               .menu = kMenu};

constexpr ControlAction<SetupWindow> kActions[] = {
    {"eventsItem", &SetupWindow::openEventsDialog},
    {"speedItem", &SetupWindow::openSpeedDialog},
    {"calendarsItem", &SetupWindow::openCalendarsDialog},
    {"aboutItem", &SetupWindow::openAboutBox},
};

} // namespace

const WindowLayout& setupWindowLayout() { return kLayout; }

std::string helpParagraph(std::string_view picturesFolderText) {
    std::string text = "Thank you for using Almanix as your screen saver. "
                       "You can set up your events by clicking Events option, then Events Setup dialog will come out. "
                       "You pick up the date, and enter appropriate content for that event, then click Add button, "
                       "or you can delete event with Delete button. "
                       "You can also determine how early you get reminded. "
                       "If no any event is coming, then this screen saver will bring pictures saved on directory ";
    text += picturesFolderText;
    text += ". That means you can put all your favorite pictures which file format must be one of "
            "\"gif\", \"jpg\", or \"bmp\" on that directory. "
            "You can adjust pictures or texts moving speed using Move Speed option.";
    return text;
}

SetupWindow::SetupWindow(FormView& view, SetupServices& services) : view_(view), services_(services) {}

void SetupWindow::load() {
    // The help names the folder of this system, so it is filled in here rather than in the table.
    view_.setText("helpLabel", helpParagraph(services_.events.paths.picturesFolderText));
    centreForm(view_);
}

void SetupWindow::controlUsed(std::string_view control) { runAction<SetupWindow>(kActions, *this, control); }

void SetupWindow::openEventsDialog() { openDialog<EventsDialog>(view_, eventsDialogLayout(), services_); }

void SetupWindow::openSpeedDialog() { openDialog<SpeedDialog>(view_, speedDialogLayout(), services_); }

void SetupWindow::openCalendarsDialog() { openDialog<CalendarsDialog>(view_, calendarsDialogLayout(), services_); }

void SetupWindow::openAboutBox() { openDialog<AboutBox>(view_, aboutBoxLayout()); }

} // namespace almanix
