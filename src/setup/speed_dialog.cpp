#include "setup/speed_dialog.h"

#include <string>

#include "settings/settings_store.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kButtonFont{"Arial", 9.75, true};

constexpr ControlLayout kControls[] = {
    {.name = "speedSlider",
     .kind = ControlKind::slider,
     .x = 240,
     .y = 240,
     .width = 2415,
     .height = 375,
     .tabIndex = 0,
     .style = {.pageStep = 5}},
    {.name = "okButton",
     .kind = ControlKind::button,
     .caption = "OK",
     .x = 720,
     .y = 1560,
     .width = 975,
     .height = 495,
     .tabIndex = 1,
     .font = kButtonFont},
    {.name = "cancelButton",
     .kind = ControlKind::button,
     .caption = "Cancel",
     .x = 2160,
     .y = 1560,
     .width = 975,
     .height = 495,
     .tabIndex = 2,
     .font = kButtonFont},
    {.name = "speedLabel",
     .kind = ControlKind::label,
     .caption = "0",
     .x = 3000,
     .y = 240,
     .width = 135,
     .height = 240,
     .tabIndex = 3,
     .font = FontChoice{"Arial", 9.75},
     .style = {.autoSize = true,
               .alignment = TextAlignment::centre,
               .foreground = {ColourRole::windowText},
               .background = {ColourRole::scrollBar}}},
    {.name = "unitLabel",
     .kind = ControlKind::label,
     .caption = "Pixels/Move",
     .x = 2760,
     .y = 600,
     .width = 975,
     .height = 255,
     .tabIndex = 4},
    {.name = "slowLabel",
     .kind = ControlKind::label,
     .caption = "slow",
     .x = 240,
     .y = 600,
     .width = 495,
     .height = 375,
     .tabIndex = 5},
    {.name = "fastLabel",
     .kind = ControlKind::label,
     .caption = "fast",
     .x = 2400,
     .y = 600,
     .width = 375,
     .height = 255,
     .tabIndex = 6},
};

constexpr WindowLayout kLayout{.name = "speedDialog",
                               .title = "Speed Setup",
                               .clientWidth = 3750,
                               .clientHeight = 2505,
                               .defaultFont = kDefaultFont,
                               .background = kLightGrey,
                               .controls = kControls};

constexpr ControlAction<SpeedDialog> kActions[] = {
    {"speedSlider", &SpeedDialog::speedChanged},
    {"okButton", &SpeedDialog::accept},
    {"cancelButton", &SpeedDialog::cancel},
};

} // namespace

const WindowLayout& speedDialogLayout() { return kLayout; }

SpeedDialog::SpeedDialog(FormView& view, SetupServices& services) : view_(view), services_(services) {}

void SpeedDialog::load() {
    centreForm(view_);
    const std::int16_t speed = loadSettings(services_.registry).moveSpeed;
    view_.setRange("speedSlider", kMoveSpeedLowest, kMoveSpeedHighest);
    view_.setValue("speedSlider", speed);
    view_.setText("speedLabel", std::to_string(speed));
}

void SpeedDialog::controlUsed(std::string_view control) { runAction<SpeedDialog>(kActions, *this, control); }

void SpeedDialog::speedChanged() { view_.setText("speedLabel", std::to_string(view_.value("speedSlider"))); }

void SpeedDialog::accept() {
    const SettingWrite write =
        storeSetting(services_.registry, kMoveSpeedName, std::to_string(view_.value("speedSlider")));
    if (!write.stored()) {
        // The dialog stays, with the user's choice, for another try.
        services_.messages.show(failedWriteMessage(write) + " Press OK to try again, or Cancel.", kApplicationTitle);
        return;
    }
    view_.closeWindow();
}

void SpeedDialog::cancel() { view_.closeWindow(); }

} // namespace almanix
