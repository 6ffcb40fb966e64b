#include "setup/about_box.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kLabelFont{"MS Sans Serif", 9.75};
constexpr ControlStyle kLabelStyle{.alignment = TextAlignment::centre, .background = kLightGrey};

constexpr ControlLayout kControls[] = {
    {ControlKind::label, "Label1", "Almanix 1.00  (C) 2026", 360, 480, 3132, 252, kNoTabStop, kLabelFont, kLabelStyle},
    {ControlKind::label, "Label2", "All rights reserved.", 360, 720, 3132, 252, kNoTabStop, kLabelFont, kLabelStyle},
    {ControlKind::label, "Label3", "Send error reports and comments to:", 240, 1320, 3372, 252, kNoTabStop, kLabelFont,
     kLabelStyle},
    {ControlKind::label, "Label4", "almanix@example.org", 240, 1560, 3372, 252, kNoTabStop, kLabelFont, kLabelStyle},
    {ControlKind::button, AboutBoxControls::okButton, "OK", 1320, 2160, 972, 492, 0},
};

constexpr WindowLayout kLayout{"aboutfm", "", 3735, 2805, kDefaultFont, {}, kControls, {}};

constexpr ControlAction<AboutBox> kActions[] = {{AboutBoxControls::okButton, &AboutBox::accept}};

} // namespace

const WindowLayout& aboutBoxLayout() { return kLayout; }

std::span<const ControlAction<AboutBox>> AboutBox::actions() { return kActions; }

} // namespace almanix
