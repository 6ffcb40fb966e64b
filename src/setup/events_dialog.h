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

inline constexpr std::size_t kEventListLimit = 1001;
inline constexpr std::string_view kNoContentMessage = "There is no content.";
inline constexpr std::string_view kIllegalFormatMessage = " is illegal format. It must be number.";

class EventsDialog final : public FormPresenter {
public:
    EventsDialog(FormView& view, SetupServices& services);

    // Centres the dialog, shows today, the stored days-before number and the
    // event file's events.
    void load() override;
    void controlUsed(std::string_view control) override;
    void datePicked(std::string_view calendar, const CalendarDate& date) override;
    // Closing through the window frame is Cancel.
    void frameClosed() override { cancel(); }

    void add();
    void remove();
    // Saves the days-before number and the event file, both or neither, and
    // closes; what fails is shown and the dialog stays with every edit.
    void accept();
    void cancel();

    // The calendar, whose limits follow the check boxes.
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

    void optionToggled(CalendarOption option, std::string_view checkBox);

    FormView& view_;
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
