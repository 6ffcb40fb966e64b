#pragma once

#include <memory>

#include "setup/events_dialog.h"
#include "win32/win32_calendar.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The events dialog's window; its presenter decides everything.
class Win32EventsDialog final : public Win32Dialog<EventsDialogView> {
public:
    Win32EventsDialog() : Win32Dialog(eventsfmLayout()) {}

    // Creates the dialog, hidden; false on failure.
    bool create(HWND owner);
    // Sends the controls' events to the presenter.
    void attach(EventsDialog& presenter);

    CalendarDate calendarDate() override { return calendar_->date(); }
    void setCalendarDate(const CalendarDate& date) override { calendar_->setDate(date); }
    bool calendarOption(CalendarOption option) override { return calendar_->option(option); }
    void setCalendarOption(CalendarOption option, bool value) override { calendar_->setOption(option, value); }
    std::string text(EventsTextBox box) override;
    void setText(EventsTextBox box, const std::string& text) override;
    bool isChecked(CalendarOption option) override;
    void setChecked(CalendarOption option, bool checked) override;
    void appendListItem(const std::string& item) override;
    void removeListItem(int index) override;
    int selectedListIndex() override;
    void selectListItem(int index) override;

protected:
    void onCommand(std::string_view control, UINT notification) override;
    LRESULT onNotify(std::string_view control, const NMHDR& header) override;

private:
    EventsDialog* presenter_ = nullptr;
    std::unique_ptr<Win32Calendar> calendar_;
};

} // namespace almanix
