#include "setup/calendars_dialog.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "settings/calendar_sources.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};

constexpr ControlLayout kControls[] = {
    {.name = "sourcesLabel",
     .kind = ControlKind::label,
     .caption = "Calendars:",
     .x = 120,
     .y = 120,
     .width = 1500,
     .height = 195,
     .style = {.autoSize = true}},
    {.name = "sourceList",
     .kind = ControlKind::listBox,
     .x = 120,
     .y = 360,
     .width = 5640,
     .height = 2640,
     .tabIndex = 3},
    {.name = "removeButton",
     .kind = ControlKind::button,
     .caption = "&Remove",
     .x = 5880,
     .y = 2628,
     .width = 1212,
     .height = 372,
     .tabIndex = 4},
    {.name = "okButton",
     .kind = ControlKind::button,
     .caption = "OK",
     .x = 5880,
     .y = 360,
     .width = 1212,
     .height = 372,
     .tabIndex = 5,
     .style = {.defaultButton = true}},
    {.name = "cancelButton",
     .kind = ControlKind::button,
     .caption = "Cancel",
     .x = 5880,
     .y = 840,
     .width = 1212,
     .height = 372,
     .tabIndex = 6},
    {.name = "newSourceLabel",
     .kind = ControlKind::label,
     .caption = "A .ics file, a folder of them, or a link (https://, webcal://):",
     .x = 120,
     .y = 3180,
     .width = 5640,
     .height = 252},
    {.name = "newSourceBox",
     .kind = ControlKind::textBox,
     .x = 120,
     .y = 3420,
     .width = 5640,
     .height = 312,
     .tabIndex = 0},
    {.name = "addButton",
     .kind = ControlKind::button,
     .caption = "&Add",
     .x = 5880,
     .y = 3390,
     .width = 1212,
     .height = 372,
     .tabIndex = 1},
    {.name = "browseButton",
     .kind = ControlKind::button,
     .caption = "&Browse...",
     .x = 5880,
     .y = 3870,
     .width = 1212,
     .height = 372,
     .tabIndex = 2},
};

constexpr WindowLayout kLayout{.name = "calendarsDialog",
                               .title = "Calendars",
                               .clientWidth = 7230,
                               .clientHeight = 4380,
                               .defaultFont = kDefaultFont,
                               .controls = kControls};

constexpr ControlAction<CalendarsDialog> kActions[] = {
    {"addButton", &CalendarsDialog::add},       {"browseButton", &CalendarsDialog::browse},
    {"removeButton", &CalendarsDialog::remove}, {"okButton", &CalendarsDialog::accept},
    {"cancelButton", &CalendarsDialog::cancel},
};

constexpr PathChoice kCalendarPaths{"A calendar file (.ics)...", "A folder of calendar files...", "*.ics"};

// What the box for a new source holds, without what a paste brings around it.
std::string typedSource(FormView& view) {
    return std::string(withoutSpaceAround(view.text("newSourceBox"), kSpaceAndLineBreaks));
}

} // namespace

const WindowLayout& calendarsDialogLayout() { return kLayout; }

CalendarsDialog::CalendarsDialog(FormView& view, SetupServices& services) : view_(view), services_(services) {}

void CalendarsDialog::load() {
    centreForm(view_);
    for (std::string& source : loadCalendarSources(services_.registry)) addSource(std::move(source));
    view_.selectItem("sourceList", std::nullopt);
}

void CalendarsDialog::controlUsed(std::string_view control) { runAction<CalendarsDialog>(kActions, *this, control); }

bool CalendarsDialog::addSource(std::string source) {
    const auto listed = std::find(sources_.begin(), sources_.end(), source);
    if (listed != sources_.end()) {
        view_.selectItem("sourceList", static_cast<std::size_t>(listed - sources_.begin()));
        showMessage("This calendar is in the list already.");
        return false;
    }
    view_.appendItem("sourceList", services_.calendars.listText(source));
    sources_.push_back(std::move(source));
    view_.selectItem("sourceList", sources_.size() - 1);
    return true;
}

void CalendarsDialog::add() {
    std::string source = typedSource(view_);
    if (source.empty()) {
        showMessage("There is no calendar to add: type the path of a .ics file or of a folder, or a link, or press "
                    "Browse.");
        view_.focus("newSourceBox");
        return;
    }
    if (addSource(std::move(source))) view_.setText("newSourceBox", "");
    view_.focus("newSourceBox");
}

void CalendarsDialog::browse() {
    if (auto path = view_.choosePath("browseButton", kCalendarPaths)) addSource(std::move(*path));
}

void CalendarsDialog::remove() {
    const std::optional<std::size_t> index = view_.selectedItem("sourceList");
    if (!index || *index >= sources_.size()) return;
    sources_.erase(sources_.begin() + static_cast<std::ptrdiff_t>(*index));
    view_.removeItem("sourceList", *index);
    view_.selectItem("sourceList", std::nullopt);
}

void CalendarsDialog::accept() {
    // A source typed but not yet added is what the user means to keep.
    const std::string typed = typedSource(view_);
    if (!typed.empty() && std::find(sources_.begin(), sources_.end(), typed) == sources_.end()) {
        addSource(typed);
        view_.setText("newSourceBox", "");
    }
    const SettingWrite write = storeCalendarSources(services_.registry, sources_);
    if (!write.stored()) {
        showMessage(failedWriteMessage(write) + " The dialog still holds every change: press OK to try again, or "
                                                "Cancel.");
        return;
    }
    view_.closeWindow();
}

void CalendarsDialog::cancel() { view_.closeWindow(); }

void CalendarsDialog::showMessage(const std::string& text) { services_.messages.show(text, kApplicationTitle); }

} // namespace almanix
