#include "setup/speed_dialog.h"

#include <string>

#include "settings/settings_store.h"

namespace almanix {

namespace {

using Controls = SpeedDialogControls;

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kButtonFont{"Arial", 9.75, true};

constexpr ControlLayout kControls[] = {
    {ControlKind::slider, Controls::slider, "", 240, 240, 2415, 375, 0},
    {ControlKind::button, Controls::okButton, "OK", 720, 1560, 975, 495, 1, kButtonFont},
    {ControlKind::button, Controls::cancelButton, "Cancel", 2160, 1560, 975, 495, 2, kButtonFont},
    {ControlKind::label,
     Controls::speedLabel,
     "0",
     3000,
     240,
     135,
     240,
     3,
     FontChoice{"Arial", 9.75},
     {.autoSize = true,
      .alignment = TextAlignment::centre,
      .foreground = {ColourRole::windowText},
      .background = {ColourRole::scrollBar}}},
    {ControlKind::label, "Label1", "Pixels/Move", 2760, 600, 975, 255, 4},
    {ControlKind::label, "Label2", "slow", 240, 600, 495, 375, 5},
    {ControlKind::label, "Label3", "fast", 2400, 600, 375, 255, 6},
};

constexpr WindowLayout kLayout{"speedfm", "Speed Setup", 3750, 2505, kDefaultFont, kLightGrey, kControls, {}};

constexpr ControlAction<SpeedDialog> kActions[] = {
    {Controls::okButton, &SpeedDialog::accept},
    {Controls::cancelButton, &SpeedDialog::cancel},
};

} // namespace

const WindowLayout& speedDialogLayout() { return kLayout; }

std::span<const ControlAction<SpeedDialog>> SpeedDialog::actions() { return kActions; }

SpeedDialog::SpeedDialog(SpeedDialogView& view, SetupServices& services) : view_(view), services_(services) {}

void SpeedDialog::load() {
    centreForm(view_);
    const std::int16_t speed = loadSettings(services_.registry).moveSpeed;
    view_.setSliderMaximum(kMoveSpeedHighest);
    view_.setSliderMinimum(kMoveSpeedLowest);
    view_.setSliderValue(speed);
    view_.setSpeedText(std::to_string(speed));
}

void SpeedDialog::speedChanged() { view_.setSpeedText(std::to_string(view_.sliderValue())); }

void SpeedDialog::accept() {
    const SettingWrite write = storeSetting(services_.registry, kMoveSpeedName, std::to_string(view_.sliderValue()));
    if (!write.stored()) {
        // The dialog stays, with the user's choice, for another try.
        services_.messages.show(failedWriteMessage(write) + " Press OK to try again, or Cancel.", kApplicationTitle);
        return;
    }
    view_.closeWindow();
}

void SpeedDialog::cancel() { view_.closeWindow(); }

} // namespace almanix
