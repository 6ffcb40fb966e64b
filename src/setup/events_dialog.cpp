#include "setup/events_dialog.h"

#include <algorithm>

#include "events/event_file.h"
#include "settings/numeric_text.h"
#include "settings/settings_store.h"

namespace almanix {

namespace {

using Controls = EventsDialogControls;

constexpr FontChoice kDefaultFont{"MS Sans Serif", 8.25};
constexpr FontChoice kArial{"Arial", 10.5};
constexpr FontChoice kCalendarDays{"MS Sans Serif", 8.25};
constexpr FontChoice kCalendarDayNames{"MS Sans Serif", 8.25, true};

constexpr ControlLayout kControls[] = {
    {ControlKind::label, "lbl(0)", "Current Date :", 3780, 120, 960, 192, 0, {}, {.autoSize = true}},
    {ControlKind::textBox, Controls::dateBox, "", 4920, 120, 1032, 285, 1},
    {ControlKind::frame, Controls::optionsFrame, "Navigation Options", 3780, 480, 2295, 1095, 2},
    {ControlKind::checkBox,
     Controls::monthReadOnlyBox,
     "Month Read-Only",
     120,
     240,
     1815,
     195,
     3,
     {},
     {},
     Controls::optionsFrame},
    {ControlKind::checkBox,
     Controls::yearReadOnlyBox,
     "Year Read-Only",
     120,
     540,
     1815,
     195,
     4,
     {},
     {},
     Controls::optionsFrame},
    {ControlKind::checkBox,
     Controls::iterationButtonsBox,
     "Show Iterration Buttons",
     120,
     840,
     1995,
     195,
     5,
     {},
     {},
     Controls::optionsFrame},
    {ControlKind::label, "lbl(1)", "Events:", 120, 3000, 540, 195, 6, {}, {.autoSize = true}},
    {ControlKind::listBox, Controls::eventList, "", 120, 3240, 7152, 1815, 7},
    {ControlKind::button, Controls::addButton, "Add", 4440, 2760, 732, 372, 8},
    {ControlKind::button, Controls::deleteButton, "Delete", 5760, 2760, 732, 372, 9},
    {ControlKind::textBox, Controls::contentBox, "", 3840, 2280, 3372, 372, 10, kArial, {.maxLength = 30}},
    {ControlKind::label, "Label1", "Event Content:", 3840, 2040, 1092, 252, 11},
    {ControlKind::button, Controls::okButton, "OK", 6480, 120, 732, 372, 12},
    {ControlKind::button, Controls::cancelButton, "Cancel", 6480, 600, 732, 372, 13},
    {ControlKind::calendar,
     Controls::calendar,
     "",
     120,
     120,
     3492,
     2892,
     14,
     kCalendarDays,
     {.headerFont = kCalendarDayNames}},
    {ControlKind::label, "Label2", "How many days before get reminded ?", 3840, 1680, 2772, 252, 15},
    {ControlKind::textBox, Controls::daysBeforeBox, "1", 6840, 1680, 372, 288, 16, kArial, {.maxLength = 2}},
};

constexpr WindowLayout kLayout{"eventsfm", "Events Setup", 7350, 5490, kDefaultFont, {}, kControls, {}};

constexpr ControlAction<EventsDialog> kActions[] = {
    {Controls::addButton, &EventsDialog::add},
    {Controls::deleteButton, &EventsDialog::remove},
    {Controls::okButton, &EventsDialog::accept},
    {Controls::cancelButton, &EventsDialog::cancel},
    {Controls::monthReadOnlyBox, &EventsDialog::monthReadOnlyToggled},
    {Controls::yearReadOnlyBox, &EventsDialog::yearReadOnlyToggled},
    {Controls::iterationButtonsBox, &EventsDialog::iterationButtonsToggled},
};

} // namespace

const WindowLayout& eventsDialogLayout() { return kLayout; }

std::span<const ControlAction<EventsDialog>> EventsDialog::actions() { return kActions; }

std::string_view textBoxNameOf(EventsTextBox box) {
    switch (box) {
    case EventsTextBox::date: return Controls::dateBox;
    case EventsTextBox::content: return Controls::contentBox;
    case EventsTextBox::daysBefore: return Controls::daysBeforeBox;
    }
    return {};
}

std::string_view checkBoxNameOf(CalendarOption option) {
    switch (option) {
    case CalendarOption::monthReadOnly: return Controls::monthReadOnlyBox;
    case CalendarOption::yearReadOnly: return Controls::yearReadOnlyBox;
    case CalendarOption::showIterationButtons: return Controls::iterationButtonsBox;
    }
    return {};
}

EventsDialog::EventsDialog(EventsDialogView& view, SetupServices& services)
    : view_(view),
      services_(services),
      calendar_(view.calendarControl(), [this](const CalendarDate& date) { dateChanged(date); }) {}

void EventsDialog::load() {
    centreForm(view_);
    calendar_.setDate(services_.events.clock.now().date);
    view_.setText(EventsTextBox::date, services_.events.shortDate.format(calendar_.date()));
    // The check boxes start as the calendar's own options.
    for (CalendarOption option : kCalendarOptions) {
        const bool value = calendar_.options().get(option);
        if (view_.isChecked(option) != value) {
            view_.setChecked(option, value);
            optionToggled(option);
        }
    }
    loadEventList();
    view_.selectListItem(-1);
}

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
    view_.setText(EventsTextBox::date, services_.events.shortDate.format(date));
}

void EventsDialog::optionToggled(CalendarOption option) { calendar_.setOption(option, view_.isChecked(option)); }

void EventsDialog::appendListItem(const std::string& item) {
    ++listedCount_;
    view_.appendListItem(item);
    view_.selectListItem(static_cast<int>(listedCount_) - 1);
}

void EventsDialog::add() {
    // A line break pasted into the box would split the event's line in the file.
    std::string content = view_.text(EventsTextBox::content);
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
    const std::string dateText = view_.text(EventsTextBox::date);
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
    const int index = view_.selectedListIndex();
    if (index < 0 || index >= static_cast<int>(listedCount_)) return;
    fileLines_.erase(fileLines_.begin() + static_cast<std::ptrdiff_t>(lineOfEvent(static_cast<std::size_t>(index))));
    --listedCount_;
    view_.removeListItem(index);
    view_.selectListItem(-1);
}

// OK stores both the events and the days-before number, or neither: the event
// file goes first, and is put back as it was should the setting then fail.
// Whatever fails is shown, and the dialog stays open with every edit.
void EventsDialog::accept() {
    EventStore& events = services_.events;
    const std::string path = events.paths.eventFile();
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
                              " does not exist. Nothing was lost: the list still holds every change. "
                              "Make the folder and press OK again, or press Cancel.");
        return;
    }
    const std::string daysBefore = view_.text(EventsTextBox::daysBefore);
    if (!wholeNumberOf(daysBefore)) {
        showMessage(daysBefore + std::string(kIllegalFormatMessage));
        view_.closeWindow();
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
