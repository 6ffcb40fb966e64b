#include "setup/events_dialog.h"

#include <algorithm>

#include "events/event_file.h"
#include "settings/numeric_text.h"
#include "settings/settings_store.h"

namespace almanix {

namespace {

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kArial{"Arial", 10.5};
constexpr FontChoice kCalendarDays{"MS Sans Serif", 8.25};
constexpr FontChoice kCalendarDayNames{"MS Sans Serif", 8.25, true};

constexpr ControlLayout kControls[] = {
    {.name = "dateLabel",
     .kind = ControlKind::label,
     .caption = "Current Date :",
     .x = 3780,
     .y = 120,
     .width = 960,
     .height = 192,
     .tabIndex = 0,
     .style = {.autoSize = true}},
    {.name = "dateBox", .kind = ControlKind::textBox, .x = 4920, .y = 120, .width = 1032, .height = 285, .tabIndex = 1},
    {.name = "optionsFrame",
     .kind = ControlKind::frame,
     .caption = "Navigation Options",
     .x = 3780,
     .y = 480,
     .width = 2295,
     .height = 1095,
     .tabIndex = 2},
    {.name = "monthReadOnlyBox",
     .kind = ControlKind::checkBox,
     .caption = "Month Read-Only",
     .x = 120,
     .y = 240,
     .width = 1815,
     .height = 195,
     .tabIndex = 3,
     .container = "optionsFrame"},
    {.name = "yearReadOnlyBox",
     .kind = ControlKind::checkBox,
     .caption = "Year Read-Only",
     .x = 120,
     .y = 540,
     .width = 1815,
     .height = 195,
     .tabIndex = 4,
     .container = "optionsFrame"},
    {.name = "iterationButtonsBox",
     .kind = ControlKind::checkBox,
     .caption = "Show Iterration Buttons",
     .x = 120,
     .y = 840,
     .width = 1995,
     .height = 195,
     .tabIndex = 5,
     .container = "optionsFrame"},
    {.name = "eventsLabel",
     .kind = ControlKind::label,
     .caption = "Events:",
     .x = 120,
     .y = 3000,
     .width = 540,
     .height = 195,
     .tabIndex = 6,
     .style = {.autoSize = true}},
    {.name = "eventList",
     .kind = ControlKind::listBox,
     .x = 120,
     .y = 3240,
     .width = 7152,
     .height = 1815,
     .tabIndex = 7},
    {.name = "addButton",
     .kind = ControlKind::button,
     .caption = "Add",
     .x = 4440,
     .y = 2760,
     .width = 732,
     .height = 372,
     .tabIndex = 8},
    {.name = "deleteButton",
     .kind = ControlKind::button,
     .caption = "Delete",
     .x = 5760,
     .y = 2760,
     .width = 732,
     .height = 372,
     .tabIndex = 9},
    {.name = "contentBox",
     .kind = ControlKind::textBox,
     .x = 3840,
     .y = 2280,
     .width = 3372,
     .height = 372,
     .tabIndex = 10,
     .font = kArial,
     .style = {.maxLength = 30}},
    {.name = "contentLabel",
     .kind = ControlKind::label,
     .caption = "Event Content:",
     .x = 3840,
     .y = 2040,
     .width = 1092,
     .height = 252,
     .tabIndex = 11},
    {.name = "okButton",
     .kind = ControlKind::button,
     .caption = "OK",
     .x = 6480,
     .y = 120,
     .width = 732,
     .height = 372,
     .tabIndex = 12},
    {.name = "cancelButton",
     .kind = ControlKind::button,
     .caption = "Cancel",
     .x = 6480,
     .y = 600,
     .width = 732,
     .height = 372,
     .tabIndex = 13},
    {.name = "calendar",
     .kind = ControlKind::calendar,
     .x = 120,
     .y = 120,
     .width = 3492,
     .height = 2892,
     .tabIndex = 14,
     .font = kCalendarDays,
     .style = {.headerFont = kCalendarDayNames}},
    {.name = "daysBeforeLabel",
     .kind = ControlKind::label,
     .caption = "How many days before get reminded ?",
     .x = 3840,
     .y = 1680,
     .width = 2772,
     .height = 252,
     .tabIndex = 15},
    {.name = "daysBeforeBox",
     .kind = ControlKind::textBox,
     .x = 6840,
     .y = 1680,
     .width = 372,
     .height = 288,
     .tabIndex = 16,
     .font = kArial,
     .style = {.maxLength = 2}},
};

constexpr WindowLayout kLayout{.name = "eventsDialog",
                               .title = "Events Setup",
                               .clientWidth = 7350,
                               .clientHeight = 5490,
                               .defaultFont = kDefaultFont,
                               .controls = kControls};

constexpr ControlAction<EventsDialog> kActions[] = {
    {"addButton", &EventsDialog::add},
    {"deleteButton", &EventsDialog::remove},
    {"okButton", &EventsDialog::accept},
    {"cancelButton", &EventsDialog::cancel},
};

// The check box that mirrors each of the calendar's options.
constexpr std::pair<CalendarOption, std::string_view> kOptionBoxes[] = {
    {CalendarOption::monthReadOnly, "monthReadOnlyBox"},
    {CalendarOption::yearReadOnly, "yearReadOnlyBox"},
    {CalendarOption::showIterationButtons, "iterationButtonsBox"},
};

} // namespace

const WindowLayout& eventsDialogLayout() { return kLayout; }

EventsDialog::EventsDialog(FormView& view, SetupServices& services)
    : view_(view),
      services_(services),
      calendar_(view.calendar("calendar"), [this](const CalendarDate& date) { dateChanged(date); }) {}

void EventsDialog::load() {
    centreForm(view_);
    calendar_.setDate(services_.events.clock.now().date);
    view_.setText("dateBox", services_.events.shortDate.format(calendar_.date()));
    // The check boxes start as the calendar's own options.
    for (const auto& [option, checkBox] : kOptionBoxes) {
        const bool value = calendar_.options().get(option);
        if (view_.isChecked(checkBox) != value) {
            view_.setChecked(checkBox, value);
            optionToggled(option, checkBox);
        }
    }
    // The number the saver goes by, so that OK keeps it unless the user changes it.
    view_.setText("daysBeforeBox", std::to_string(loadSettings(services_.registry).daysBeforeEvent));
    loadEventList();
    view_.selectItem("eventList", std::nullopt);
}

void EventsDialog::controlUsed(std::string_view control) {
    for (const auto& [option, checkBox] : kOptionBoxes)
        if (control == checkBox) return optionToggled(option, checkBox);
    runAction<EventsDialog>(kActions, *this, control);
}

void EventsDialog::datePicked(std::string_view, const CalendarDate& date) { calendar_.picked(date); }

void EventsDialog::loadEventList() {
    EventList list = almanix::loadEventList(services_.events);
    loaded_ = list;
    fileUnreadOnLoad_ = unreadableFileExists(list.status);
    std::size_t beyondTheList = 0;
    for (EventLine& line : list.lines) {
        if (line.kind == EventLineKind::event) {
            if (listedCount_ < kEventListLimit)
                appendListItem(line.text);
            else
                ++beyondTheList;
        }
        fileLines_.push_back(std::move(line));
    }
    if (beyondTheList > 0) {
        showMessage("The event file holds " + std::to_string(listedCount_ + beyondTheList) + " events, more than the " +
                    std::to_string(kEventListLimit) + " that the list can show. The list shows the first " +
                    std::to_string(kEventListLimit) + "; the other " + std::to_string(beyondTheList) +
                    " stay in the file after them when you press OK.");
    }
}

std::size_t EventsDialog::lineOfEvent(std::size_t number) const {
    for (std::size_t index = 0; index < fileLines_.size(); ++index) {
        if (fileLines_[index].kind != EventLineKind::event) continue;
        if (number == 0) return index;
        --number;
    }
    return fileLines_.size();
}

bool EventsDialog::unreadableFileExists(EventFileStatus status) {
    return status != EventFileStatus::read && services_.events.files.exists(services_.events.paths.eventFile());
}

void EventsDialog::dateChanged(const CalendarDate& date) {
    view_.setText("dateBox", services_.events.shortDate.format(date));
}

void EventsDialog::optionToggled(CalendarOption option, std::string_view checkBox) {
    calendar_.setOption(option, view_.isChecked(checkBox));
}

void EventsDialog::appendListItem(const std::string& item) {
    ++listedCount_;
    view_.appendItem("eventList", item);
    view_.selectItem("eventList", listedCount_ - 1);
}

void EventsDialog::add() {
    // A line break pasted into the box would split the event's line in the file.
    std::string content = view_.text("contentBox");
    content.resize(std::min(content.size(), content.find_first_of("\r\n")));
    if (content.empty()) {
        showMessage(std::string(kNoContentMessage));
        return;
    }
    if (listedCount_ >= kEventListLimit) {
        showMessage("The list already holds " + std::to_string(kEventListLimit) +
                    " events, as many as it can. Delete an event before adding another.");
        return;
    }
    // A date with a space in it would make a line whose date the saver cannot read.
    const std::string dateText = view_.text("dateBox");
    const auto date =
        dateText.find(' ') == std::string::npos ? services_.events.shortDate.parse(dateText) : std::nullopt;
    if (!date) {
        showMessage("\"" + dateText +
                    "\" cannot be read as a date, so no event was added. Pick the date "
                    "on the calendar, or type it as in " +
                    services_.events.shortDate.format(services_.events.clock.now().date) + ".");
        return;
    }
    const std::string item = makeListItem(dateText, weekdayOf(*date), content);
    // After the listed events and the lines kept after them, before those beyond the list.
    const std::size_t at = lineOfEvent(listedCount_);
    fileLines_.insert(fileLines_.begin() + static_cast<std::ptrdiff_t>(at), {EventLineKind::event, item});
    appendListItem(item);
}

void EventsDialog::remove() {
    const std::optional<std::size_t> index = view_.selectedItem("eventList");
    if (!index || *index >= listedCount_) return;
    fileLines_.erase(fileLines_.begin() + static_cast<std::ptrdiff_t>(lineOfEvent(*index)));
    --listedCount_;
    view_.removeItem("eventList", *index);
    view_.selectItem("eventList", std::nullopt);
}

// OK stores both the days-before number and the events, or neither: a number
// it cannot store stops it before anything is written, and should the setting
// fail after the event file was written, the file is put back as it was.
// Whatever fails is shown, and the dialog stays open with every edit.
void EventsDialog::accept() {
    const std::string daysBefore = view_.text("daysBeforeBox");
    if (!wholeNumberOf(daysBefore)) {
        showMessage(daysBefore + std::string(kIllegalFormatMessage));
        view_.focus("daysBeforeBox");
        return;
    }
    EventStore& events = services_.events;
    const std::string path = events.paths.eventFile();
    // The first OK makes the data folder, and the pictures folder in it for the user to fill.
    if (!events.files.exists(events.paths.folder)) events.files.createFolders(events.paths.picturesFolder());
    // Under the folder's lock: what another copy wrote since the load is kept, and the edits go on top.
    const EventSave save = fileUnreadOnLoad_ ? EventSave{EventSaveStatus::unreadable, false, {}, {}}
                                             : saveEditedEventList(events, loaded_, fileLines_);
    if (save.status == EventSaveStatus::unreadable) {
        showMessage("The events were not saved: the event file " + path +
                    " could not be read, so the list lacks its events and saving would lose them. "
                    "Nothing was changed. Press Cancel, make the file readable and open this dialog again.");
        return;
    }
    if (save.status == EventSaveStatus::busy) {
        showMessage("The events were not saved: another copy of Almanix is writing the event file " + path +
                    ". Nothing was lost: the list still holds every change. Press OK again in a moment.");
        return;
    }
    if (save.status == EventSaveStatus::failed) {
        const std::string& folder = events.paths.folder;
        showMessage(events.files.exists(folder)
                        ? "The events could not be saved in the folder " + folder +
                              ". Nothing was lost: the list still holds every change. "
                              "Make the folder writable and press OK again, or press Cancel."
                        : "The events could not be saved: the folder " + folder +
                              " does not exist and could not be made. Nothing was lost: the list still holds every "
                              "change. Make the folder and press OK again, or press Cancel.");
        return;
    }
    const SettingWrite write = storeSetting(services_.registry, kDaysBeforeEventName, daysBefore);
    if (!write.stored()) {
        const bool restored = restoreEventFile(events, save);
        showMessage(failedWriteMessage(write) +
                    (restored ? " So that OK saves all or nothing, the events were not saved either."
                              : " The events were saved, but the number of days before was not.") +
                    " The dialog still holds every change: press OK to try again, or Cancel.");
        return;
    }
    view_.closeWindow();
}

void EventsDialog::cancel() { view_.closeWindow(); }

void EventsDialog::showMessage(const std::string& text) { services_.messages.show(text, kApplicationTitle); }

} // namespace almanix
