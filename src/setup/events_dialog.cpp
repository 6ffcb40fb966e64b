#include "setup/events_dialog.h"

#include <algorithm>
#include <limits>

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
    {ControlKind::label, "lbl(0)", "Current Date :", 3780, 120, 960, 192, 0, {}, {.autoSize = true}},
    {ControlKind::textBox, "txtValue", "", 4920, 120, 1032, 285, 1},
    {ControlKind::frame, "Frames(1)", "Navigation Options", 3780, 480, 2295, 1095, 2},
    {ControlKind::checkBox, "chkMonthRO", "Month Read-Only", 120, 240, 1815, 195, 3, {}, {}, "Frames(1)"},
    {ControlKind::checkBox, "chkYearRO", "Year Read-Only", 120, 540, 1815, 195, 4, {}, {}, "Frames(1)"},
    {ControlKind::checkBox, "chkShowIterration", "Show Iterration Buttons", 120, 840, 1995, 195, 5, {}, {},
     "Frames(1)"},
    {ControlKind::label, "lbl(1)", "Events:", 120, 3000, 540, 195, 6, {}, {.autoSize = true}},
    {ControlKind::listBox, "lbxEvents", "", 120, 3240, 7152, 1815, 7},
    {ControlKind::button, "Command1", "Add", 4440, 2760, 732, 372, 8},
    {ControlKind::button, "Command2", "Delete", 5760, 2760, 732, 372, 9},
    {ControlKind::textBox, "Text1", "", 3840, 2280, 3372, 372, 10, kArial, {.maxLength = 30}},
    {ControlKind::label, "Label1", "Event Content:", 3840, 2040, 1092, 252, 11},
    {ControlKind::button, "Command3", "OK", 6480, 120, 732, 372, 12},
    {ControlKind::button, "Command4", "Cancel", 6480, 600, 732, 372, 13},
    {ControlKind::calendar, "Calendar1", "", 120, 120, 3492, 2892, 14, kCalendarDays,
     {.headerFont = kCalendarDayNames}},
    {ControlKind::label, "Label2", "How many days before get reminded ?", 3840, 1680, 2772, 252, 15},
    {ControlKind::textBox, "diffdays", "1", 6840, 1680, 372, 288, 16, kArial, {.maxLength = 2}},
};

constexpr WindowLayout kEventsfm{"eventsfm", "Events Setup", 7350, 5490, kDefaultFont, {}, kControls, {}};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A sign, digits with at most one decimal point, or "&h" and hexadecimal digits.
bool isWholeNumber(std::string_view text) {
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'h' || text[1] == 'H')) {
        for (char c : text.substr(2))
            if (!isHexDigit(c)) return false;
        return true;
    }
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool seenDigit = false;
    bool seenPoint = false;
    for (char c : text) {
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

} // namespace

const WindowLayout& eventsfmLayout() { return kEventsfm; }

std::string_view checkBoxNameOf(CalendarOption option) {
    switch (option) {
    case CalendarOption::monthReadOnly: return "chkMonthRO";
    case CalendarOption::yearReadOnly: return "chkYearRO";
    case CalendarOption::showIterationButtons: return "chkShowIterration";
    }
    return {};
}

std::string_view textBoxNameOf(EventsTextBox box) {
    switch (box) {
    case EventsTextBox::txtValue: return "txtValue";
    case EventsTextBox::Text1: return "Text1";
    case EventsTextBox::diffdays: return "diffdays";
    }
    return {};
}

std::optional<std::int16_t> daysBeforeNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!isWholeNumber(text)) return std::nullopt;
    const double rounded = roundHalfToEven(numericTextValue(text));
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

EventsDialog::EventsDialog(EventsDialogView& view, SetupServices& services)
    : view_(view), services_(services) {}

void EventsDialog::Form_Load() {
    centreForm(view_);
    view_.setCalendarDate(services_.events.clock.now().date);
    view_.setText(EventsTextBox::txtValue, services_.events.shortDate.format(view_.calendarDate()));
    for (CalendarOption option : kCalendarOptions) {
        const bool value = view_.calendarOption(option);
        if (view_.isChecked(option) != value) {
            view_.setChecked(option, value);
            copyCheckBoxToCalendar(option);
        }
    }
    loadEventList();
    view_.selectListItem(-1);
}

void EventsDialog::loadEventList() {
    EventListLoad load = almanix::loadEventList(services_.events);
    for (std::string& item : load.items) {
        if (!addEventItem(item)) itemsBeyondTheList_.push_back(std::move(item));
    }
    if (!itemsBeyondTheList_.empty()) {
        showMessage("The event file holds " + std::to_string(items_.size() + itemsBeyondTheList_.size()) +
                    " events, more than the " + std::to_string(kEventListLimit) +
                    " that the list can show. The list shows the first " + std::to_string(kEventListLimit) +
                    "; the other " + std::to_string(itemsBeyondTheList_.size()) +
                    " stay in the file after them when you press OK.");
    }
}

void EventsDialog::Calendar1_DateChange(const CalendarDate&, const CalendarDate& newDate) {
    view_.setText(EventsTextBox::txtValue, services_.events.shortDate.format(newDate));
}

void EventsDialog::copyCheckBoxToCalendar(CalendarOption option) {
    view_.setCalendarOption(option, view_.isChecked(option));
}

bool EventsDialog::addEventItem(const std::string& item) {
    if (items_.size() >= kEventListLimit) return false;
    items_.push_back(item);
    view_.appendListItem(item);
    view_.selectListItem(static_cast<int>(items_.size()) - 1);
    return true;
}

void EventsDialog::Command1_Click() {
    // A line break pasted into the box would split the event's line in the file.
    std::string content = view_.text(EventsTextBox::Text1);
    content.resize(std::min(content.size(), content.find_first_of("\r\n")));
    if (content.empty()) {
        showMessage(std::string(kNoContentMessage));
        return;
    }
    if (items_.size() >= kEventListLimit) {
        showMessage("The list already holds " + std::to_string(kEventListLimit) +
                    " events, as many as it can. Delete an event before adding another.");
        return;
    }
    // A date with a space in it would make a line whose date the saver cannot read.
    const std::string dateText = view_.text(EventsTextBox::txtValue);
    const auto date = dateText.find(' ') == std::string::npos ? services_.events.shortDate.parse(dateText)
                                                               : std::nullopt;
    if (!date) {
        showMessage("\"" + dateText + "\" cannot be read as a date, so no event was added. Pick the date "
                    "on the calendar, or type it as in " +
                    services_.events.shortDate.format(services_.events.clock.now().date) + ".");
        return;
    }
    addEventItem(makeListItem(dateText, weekdayOf(*date), content));
}

void EventsDialog::Command2_Click() {
    const int index = view_.selectedListIndex();
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_.erase(items_.begin() + index);
    view_.removeListItem(index);
    view_.selectListItem(-1);
}

void EventsDialog::Command3_Click() {
    std::vector<std::string> fileItems = items_;
    fileItems.insert(fileItems.end(), itemsBeyondTheList_.begin(), itemsBeyondTheList_.end());
    if (!saveEventList(services_.events, fileItems)) {
        // The list is the only copy of the user's edits: keep the dialog open.
        const std::string& folder = services_.events.paths.folder;
        showMessage(services_.events.files.exists(folder)
                        ? "The events could not be saved in the folder " + folder +
                              ". Nothing was lost: the list still holds every change. "
                              "Make the folder writable and press OK again, or press Cancel."
                        : "The events could not be saved: the folder " + folder +
                              " does not exist. Nothing was lost: the list still holds every change. "
                              "Make the folder and press OK again, or press Cancel.");
        return;
    }
    const std::string daysBefore = view_.text(EventsTextBox::diffdays);
    if (daysBeforeNumber(daysBefore)) {
        setRegistryValue(services_.registry, HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, kDaysBeforeEventName,
                         daysBefore);
    } else {
        showMessage(daysBefore + std::string(kIllegalFormatMessage));
    }
    view_.closeWindow();
}

void EventsDialog::Command4_Click() { view_.closeWindow(); }

void EventsDialog::showMessage(const std::string& text) { services_.messages.show(text, kApplicationTitle); }

void CalendarEvents::reportTo(EventsDialog& dialog) {
    onWillChangeDate = [&dialog](const CalendarDate& date, bool& cancel) {
        dialog.Calendar1_WillChangeDate(date, cancel);
    };
    onDateChange = [&dialog](const CalendarDate& oldDate, const CalendarDate& newDate) {
        dialog.Calendar1_DateChange(oldDate, newDate);
    };
    onDblClick = [&dialog] { dialog.Calendar1_DblClick(); };
}

} // namespace almanix
