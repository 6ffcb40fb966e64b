#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/calendar_date.h"
#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The events dialog "eventsfm": the event list, the calendar that dates new
// events, and the number of days ahead that an event is announced.
const WindowLayout& eventsfmLayout();

inline constexpr std::size_t kEventListLimit = 1001;
inline constexpr std::string_view kNoContentMessage = "There is no content.";
inline constexpr std::string_view kIllegalFormatMessage = " is illegal format. It must be number.";

// The calendar's three display options, each mirrored by a check box.
enum class CalendarOption { monthReadOnly, yearReadOnly, showIterationButtons };
inline constexpr CalendarOption kCalendarOptions[] = {
    CalendarOption::monthReadOnly, CalendarOption::yearReadOnly, CalendarOption::showIterationButtons};

enum class EventsTextBox { txtValue, Text1, diffdays };

// The names in the layout table of the check box that mirrors an option, and of a text box.
std::string_view checkBoxNameOf(CalendarOption option);
std::string_view textBoxNameOf(EventsTextBox box);

class EventsDialogView : public FormView {
public:
    // Calendar1. Setting its date raises Calendar1_DateChange when the date changes.
    virtual CalendarDate calendarDate() = 0;
    virtual void setCalendarDate(const CalendarDate& date) = 0;
    virtual bool calendarOption(CalendarOption option) = 0;
    virtual void setCalendarOption(CalendarOption option, bool value) = 0;

    virtual std::string text(EventsTextBox box) = 0;
    virtual void setText(EventsTextBox box, const std::string& text) = 0;

    // The check box that mirrors an option; setting it raises no click.
    virtual bool isChecked(CalendarOption option) = 0;
    virtual void setChecked(CalendarOption option, bool checked) = 0;

    // lbxEvents. -1 stands for no item.
    virtual void appendListItem(const std::string& item) = 0;
    virtual void removeListItem(int index) = 0;
    virtual int selectedListIndex() = 0;
    virtual void selectListItem(int index) = 0;
};

// The days-before number typed by the user, when it is one: blanks around it
// ignored, rounded halves to even, within a signed 16-bit integer.
std::optional<std::int16_t> daysBeforeNumber(std::string_view text);

class EventsDialog {
public:
    EventsDialog(EventsDialogView& view, SetupServices& services);

    void Form_Load();
    // Closing through the window frame: the same as Cancel.
    void Form_QueryUnload() { Command4_Click(); }

    void Calendar1_DateChange(const CalendarDate& oldDate, const CalendarDate& newDate);
    void Calendar1_WillChangeDate(const CalendarDate&, bool& /*cancel*/) {}
    void Calendar1_DblClick() {}
    void chkMonthRO_Click() { copyCheckBoxToCalendar(CalendarOption::monthReadOnly); }
    void chkYearRO_Click() { copyCheckBoxToCalendar(CalendarOption::yearReadOnly); }
    void chkShowIterration_Click() { copyCheckBoxToCalendar(CalendarOption::showIterationButtons); }
    void checkBoxClicked(CalendarOption option) { copyCheckBoxToCalendar(option); }

    void Command1_Click(); // Add
    void Command2_Click(); // Delete
    void Command3_Click(); // OK
    void Command4_Click(); // Cancel

    // Appends an item and selects it; false, adding nothing, when the list is full.
    bool addEventItem(const std::string& item);

    const std::vector<std::string>& listItems() const { return items_; }

private:
    void copyCheckBoxToCalendar(CalendarOption option);
    void loadEventList();
    void showMessage(const std::string& text);

    EventsDialogView& view_;
    SetupServices& services_;
    std::vector<std::string> items_;
    // Events of a file longer than the list can hold; written back after the list.
    std::vector<std::string> itemsBeyondTheList_;
};

// What a calendar control reports: WillChangeDate(NewDate, Cancel) before a
// change, DateChange(OldDate, NewDate) after it, and a double click.
struct CalendarEvents {
    std::function<void(const CalendarDate&, bool&)> onWillChangeDate;
    std::function<void(const CalendarDate&, const CalendarDate&)> onDateChange;
    std::function<void()> onDblClick;

    // Hands every report to the events dialog's Calendar1 handlers.
    void reportTo(EventsDialog& dialog);
};

} // namespace almanix
