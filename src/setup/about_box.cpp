#include "setup/about_box.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kLabelFont{"MS Sans Serif", 9.75};
constexpr ControlStyle kLabelStyle{.alignment = TextAlignment::centre, .background = kLightGrey};

constexpr ControlLayout kControls[] = {
    {.name = "ownershipLabel",
     .kind = ControlKind::label,
     .caption = "Almanix 1.00  (C) 2026",
     .x = 360,
     .y = 480,
     .width = 3132,
     .height = 252,
     .font = kLabelFont,
     .style = kLabelStyle},
    {.name = "rightsLabel",
     .kind = ControlKind::label,
     .caption = "All rights reserved.",
     .x = 360,
     .y = 720,
     .width = 3132,
     .height = 252,
     .font = kLabelFont,
     .style = kLabelStyle},
    {.name = "reportsLabel",
     .kind = ControlKind::label,
     .caption = "Send error reports and comments to:",
     .x = 240,
     .y = 1320,
     .width = 3372,
     .height = 252,
     .font = kLabelFont,
     .style = kLabelStyle},
    {.name = "addressLabel",
     .kind = ControlKind::label,
     .caption = "almanix@example.org",
     .x = 240,
     .y = 1560,
     .width = 3372,
     .height = 252,
     .font = kLabelFont,
     .style = kLabelStyle},
    {.name = "okButton",
     .kind = ControlKind::button,
     .caption = "OK",
     .x = 1320,
     .y = 2160,
     .width = 972,
     .height = 492,
     .tabIndex = 0},
};

constexpr WindowLayout kLayout{
    .name = "aboutBox", .clientWidth = 3735, .clientHeight = 2805, .defaultFont = kDefaultFont, .controls = kControls};

} // namespace

const WindowLayout& aboutBoxLayout() { return kLayout; }

} // namespace almanix
