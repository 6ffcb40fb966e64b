#pragma once

#include <windows.h>

#include <optional>

#include "setup/calendar.h"

namespace almanix {

// The events dialog's calendar on the comctl32 month calendar. The control
// cannot hide the arrows beside the month's name, so without the iteration
// buttons a press on them does nothing.
class Win32Calendar final : public CalendarControl {
public:
    Win32Calendar() = default;
    ~Win32Calendar() override;
    Win32Calendar(const Win32Calendar&) = delete;
    Win32Calendar& operator=(const Win32Calendar&) = delete;

    // Takes over the month calendar control; gives it back when either goes.
    void takeOver(HWND control);

    void showDate(const CalendarDate& date) override;
    void restrict(const std::optional<DateRange>& range, const CalendarOptions& options) override;

    // The date the user picked, when the control's notification tells of a pick.
    std::optional<CalendarDate> pickedDate(const NMHDR& header) const;

private:
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the press falls on a month arrow while the arrows are off.
    bool keepsPressFromControl(LPARAM position) const;
    void giveBack();

    HWND control_ = nullptr;
    WNDPROC controlProcedure_ = nullptr;
    bool showIterationButtons_ = true;
};

} // namespace almanix
