#include "setup/setup_window.h"

namespace almanix {

namespace {

using Controls = SetupWindowControls;

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};

constexpr ControlLayout kControls[] = {
    {ControlKind::label,
     "Label1",
     "Almanix Screen Saver",
     1680,
     240,
     2895,
     855,
     kNoTabStop,
     FontChoice{"Times New Roman", 18, true, true},
     {.wordWrap = true, .alignment = TextAlignment::centre, .foreground = {ColourRole::fixed, {0, 0, 255}}}},
    {ControlKind::label,
     Controls::helpLabel,
     "",
     120,
     1200,
     6255,
     3015,
     kNoTabStop,
     FontChoice{"Times New Roman", 11.25, true},
     {.wordWrap = true}},
};

constexpr MenuItem kMenu[] = {
    {Controls::eventsItem, "&Events "},
    {Controls::speedItem, "Move &Speed"},
    {Controls::aboutItem, "&About"},
};

constexpr WindowLayout kLayout{"setupfm", "Setup", 6510, 6180, kDefaultFont, {}, kControls, kMenu};

constexpr ControlAction<SetupWindow> kActions[] = {
    {Controls::eventsItem, &SetupWindow::openEventsDialog},
    {Controls::speedItem, &SetupWindow::openSpeedDialog},
    {Controls::aboutItem, &SetupWindow::openAboutBox},
};

} // namespace

const WindowLayout& setupWindowLayout() { return kLayout; }

std::span<const ControlAction<SetupWindow>> SetupWindow::actions() { return kActions; }

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

SetupWindow::SetupWindow(SetupWindowView& view, SetupDialogs& dialogs, std::string_view picturesFolderText)
    : view_(view),
      dialogs_(dialogs),
      picturesFolderText_(picturesFolderText) {}

void SetupWindow::load() {
    // The help names the folder of this system, so it is filled in here rather than in the table.
    view_.setLabelText(Controls::helpLabel, helpParagraph(picturesFolderText_));
    centreForm(view_);
}

} // namespace almanix
