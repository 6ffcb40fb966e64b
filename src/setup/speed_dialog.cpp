#include "setup/speed_dialog.h"

#include <string>

#include "settings/settings_store.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kButtonFont{"Arial", 9.75, true};

constexpr ControlLayout kControls[] = {
    {ControlKind::slider, "moveSpeed", "", 240, 240, 2415, 375, 0},
    {ControlKind::button, "Command1", "OK", 720, 1560, 975, 495, 1, kButtonFont},
    {ControlKind::button, "Command2", "Cancel", 2160, 1560, 975, 495, 2, kButtonFont},
    {ControlKind::label, "lblspeed", "0", 3000, 240, 135, 240, 3, FontChoice{"Arial", 9.75},
     {.autoSize = true, .alignment = TextAlignment::centre, .foreground = {ColourRole::windowText},
      .background = {ColourRole::scrollBar}}},
    {ControlKind::label, "Label1", "Pixels/Move", 2760, 600, 975, 255, 4},
    {ControlKind::label, "Label2", "slow", 240, 600, 495, 375, 5},
    {ControlKind::label, "Label3", "fast", 2400, 600, 375, 255, 6},
};

constexpr WindowLayout kSpeedfm{"speedfm", "Speed Setup", 3750, 2505, kDefaultFont, kLightGrey, kControls, {}};

} // namespace

const WindowLayout& speedfmLayout() { return kSpeedfm; }

SpeedDialog::SpeedDialog(SpeedDialogView& view, SetupServices& services) : view_(view), services_(services) {}

void SpeedDialog::Form_Load() {
    centreForm(view_);
    loadSettings(services_.registry);
    view_.setSliderMaximum(kMoveSpeedHighest);
    view_.setSliderMinimum(kMoveSpeedLowest);
    view_.setSliderValue(gMoveSpeed);
    view_.setSpeedText(std::to_string(gMoveSpeed));
}

void SpeedDialog::moveSpeed_Change() { view_.setSpeedText(std::to_string(view_.sliderValue())); }

void SpeedDialog::Command1_Click() {
    setRegistryValue(services_.registry, HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, kMoveSpeedName,
                     std::to_string(view_.sliderValue()));
    view_.closeWindow();
}

void SpeedDialog::Command2_Click() { view_.closeWindow(); }

} // namespace almanix
