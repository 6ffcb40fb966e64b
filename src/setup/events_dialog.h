#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "events/event_file.h"
#include "setup/calendar.h"
#include "setup/form_view.h"
#include "setup/setup_services.h"

namespace almanix {

// The events dialog: the event list, the calendar that dates new events, and
// the number of days ahead that an event is announced.
const WindowLayout& eventsDialogLayout();

// The names in the layout of the controls that the code reaches.
struct EventsDialogControls {
    static constexpr std::string_view dateBox = "txtValue";
    static constexpr std::string_view optionsFrame = "Frames(1)";
    static constexpr std::string_view monthReadOnlyBox = "chkMonthRO";
    static constexpr std::string_view yearReadOnlyBox = "chkYearRO";
    static constexpr std::string_view iterationButtonsBox = "chkShowIterration";
    static constexpr std::string_view eventList = "lbxEvents";
    static constexpr std::string_view addButton = "Command1";
    static constexpr std::string_view deleteButton = "Command2";
    static constexpr std::string_view contentBox = "Text1";
    static constexpr std::string_view okButton = "Command3";
    static constexpr std::string_view cancelButton = "Command4";
    static constexpr std::string_view calendar = "Calendar1";
    static constexpr std::string_view daysBeforeBox = "diffdays";
};

inline constexpr std::size_t kEventListLimit = 1001;
inline constexpr std::string_view kNoContentMessage = "There is no content.";
inline constexpr std::string_view kIllegalFormatMessage = " is illegal format. It must be number.";

enum class EventsTextBox { date, content, daysBefore };

std::string_view textBoxNameOf(EventsTextBox box);
// The check box that mirrors an option.
std::string_view checkBoxNameOf(CalendarOption option);

class EventsDialogView : public FormView {
public:
    virtual CalendarControl& calendarControl() = 0;

    virtual std::string text(EventsTextBox box) = 0;
    virtual void setText(EventsTextBox box, const std::string& text) = 0;

    // The check box that mirrors an option; setting it raises no click.
    virtual bool isChecked(CalendarOption option) = 0;
    virtual void setChecked(CalendarOption option, bool checked) = 0;

    // The event list. -1 stands for no item.
    virtual void appendListItem(const std::string& item) = 0;
    virtual void removeListItem(int index) = 0;
    virtual int selectedListIndex() = 0;
    virtual void selectListItem(int index) = 0;
};

class EventsDialog {
public:
    EventsDialog(EventsDialogView& view, SetupServices& services);

    // What each button and check box does.
    static std::span<const ControlAction<EventsDialog>> actions();

    // Centres the dialog, shows today and the event file's events.
    void load();
    void add();
    void remove();
    // Saves the event file and the days-before number, both or neither, and
    // closes; what fails is shown and the dialog stays with every edit.
    void accept();
    void cancel();
    // Closing through the window frame is Cancel.
    void frameClosed() { cancel(); }
    void monthReadOnlyToggled() { optionToggled(CalendarOption::monthReadOnly); }
    void yearReadOnlyToggled() { optionToggled(CalendarOption::yearReadOnly); }
    void iterationButtonsToggled() { optionToggled(CalendarOption::showIterationButtons); }
    void optionToggled(CalendarOption option);

    // The calendar, to which the shell's control reports the user's picks.
    Calendar& calendar() { return calendar_; }

private:
    void dateChanged(const CalendarDate& date);
    void loadEventList();
    // Shows an item at the end of the list and selects it.
    void appendListItem(const std::string& item);
    // Where the file's event of that number stands among its lines; the end when there are fewer.
    std::size_t lineOfEvent(std::size_t number) const;
    // True when an event file exists that could not be read: replacing it would lose events never shown.
    bool unreadableFileExists(EventFileStatus status);
    void showMessage(const std::string& text);

    EventsDialogView& view_;
    SetupServices& services_;
    Calendar calendar_;
    // The event file as the edits leave it. The list shows its first events;
    // a file longer than the list can hold keeps the rest after them, and the
    // lines the program never writes stay where they stood.
    std::vector<EventLine> fileLines_;
    // The file as it was loaded, to see at OK what another copy changed since.
    EventList loaded_;
    std::size_t listedCount_ = 0;
    bool fileUnreadOnLoad_ = false;
};

} // namespace almanix
