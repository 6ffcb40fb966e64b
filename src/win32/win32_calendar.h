#pragma once

#include <windows.h>

#include <array>

#include "common/calendar_date.h"
#include "setup/events_dialog.h"

namespace almanix {

// The events dialog's calendar on the comctl32 month calendar: a picked date,
// three display options and three events. Month read-only keeps the user on
// the month shown, year read-only on the year shown; the iteration buttons are
// the arrows beside the month's name, and without them the arrows do nothing.
class Win32Calendar : public CalendarEvents {
public:
    // Takes over the month calendar control; gives it back when destroyed.
    explicit Win32Calendar(HWND control);
    ~Win32Calendar();
    Win32Calendar(const Win32Calendar&) = delete;
    Win32Calendar& operator=(const Win32Calendar&) = delete;

    CalendarDate date() const { return current_; }
    // Raises the change events like a pick by the user, whatever the options hold.
    void setDate(const CalendarDate& date);

    bool option(CalendarOption option) const { return options_[static_cast<std::size_t>(option)]; }
    void setOption(CalendarOption option, bool value);

    // The control's WM_NOTIFY to its window, passed on by that window.
    void onNotify(const NMHDR& header);

private:
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the press is to be kept from the control.
    bool onButtonDown(LPARAM position);
    void selectionMoved();
    void applyOptions();
    void showSelection(const CalendarDate& date);

    HWND control_;
    WNDPROC controlProcedure_ = nullptr;
    CalendarDate current_{};
    // Month read-only, year read-only, show iteration buttons.
    std::array<bool, 3> options_{false, false, true};
    DWORD lastPressTime_ = 0;
    POINT lastPress_{-1000, -1000};
};

} // namespace almanix
