#pragma once

#include "setup/events_dialog.h"
#include "win32/win32_calendar.h"
#include "win32/win32_form_dialog.h"

namespace almanix {

// The events dialog's window; its presenter decides everything.
class Win32EventsDialog final : public Win32Dialog<EventsDialogView, EventsDialog> {
public:
    Win32EventsDialog() : Win32Dialog(eventsDialogLayout()) {}

    CalendarControl& calendarControl() override { return calendar_; }
    std::string text(EventsTextBox box) override;
    void setText(EventsTextBox box, const std::string& text) override;
    bool isChecked(CalendarOption option) override;
    void setChecked(CalendarOption option, bool checked) override;
    void appendListItem(const std::string& item) override;
    void removeListItem(int index) override;
    int selectedListIndex() override;
    void selectListItem(int index) override;

protected:
    void onControlsCreated() override;
    LRESULT onNotify(std::string_view control, const NMHDR& header) override;

private:
    HWND eventList() const { return control(EventsDialogControls::eventList); }

    Win32Calendar calendar_;
};

} // namespace almanix
