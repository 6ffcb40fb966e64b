#include "win32/win32_calendar.h"

#include <commctrl.h>

namespace almanix {

namespace {

SYSTEMTIME systemTimeOf(const CalendarDate& date) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    time.wDayOfWeek = static_cast<WORD>(weekdayOf(date) - 1);
    return time;
}

} // namespace

Win32Calendar::~Win32Calendar() { giveBack(); }

void Win32Calendar::takeOver(HWND control) {
    giveBack();
    if (!control) return;
    control_ = control;
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Calendar::controlProcedure)));
}

void Win32Calendar::giveBack() {
    if (!control_) return;
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure_));
    SetWindowLongPtrA(control_, GWLP_USERDATA, 0);
    control_ = nullptr;
}

void Win32Calendar::showDate(const CalendarDate& date) {
    const SYSTEMTIME time = systemTimeOf(date);
    SendMessageA(control_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
}

void Win32Calendar::restrict(const std::optional<DateRange>& range, const CalendarOptions& options) {
    showIterationButtons_ = options.showIterationButtons;
    if (!range) {
        SendMessageA(control_, MCM_SETRANGE, 0, 0);
        return;
    }
    const SYSTEMTIME limits[2] = {systemTimeOf(range->first), systemTimeOf(range->last)};
    SendMessageA(control_, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(limits));
}

std::optional<CalendarDate> Win32Calendar::pickedDate(const NMHDR& header) const {
    if (header.code != MCN_SELCHANGE && header.code != MCN_SELECT) return std::nullopt;
    SYSTEMTIME time{};
    if (!SendMessageA(control_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&time))) return std::nullopt;
    return CalendarDate{time.wYear, time.wMonth, time.wDay};
}

bool Win32Calendar::keepsPressFromControl(LPARAM position) const {
    if (showIterationButtons_) return false;
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof hit;
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    SendMessageA(control_, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.uHit == MCHT_TITLEBTNNEXT || hit.uHit == MCHT_TITLEBTNPREV;
}

LRESULT CALLBACK Win32Calendar::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Calendar*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    if (!self) return DefWindowProcA(control, message, wParam, lParam);
    const WNDPROC original = self->controlProcedure_;
    if (message == WM_LBUTTONDOWN && self->keepsPressFromControl(lParam)) return 0;
    if (message == WM_NCDESTROY) self->giveBack();
    return CallWindowProcA(original, control, message, wParam, lParam);
}

} // namespace almanix
