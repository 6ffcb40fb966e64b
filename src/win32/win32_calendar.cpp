#include "win32/win32_calendar.h"

#include <commctrl.h>

#include <cstdlib>

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

CalendarDate calendarDateOf(const SYSTEMTIME& time) { return {time.wYear, time.wMonth, time.wDay}; }

CalendarDate lastDayOfMonth(int year, int month) {
    const CalendarDate nextMonth = month == 12 ? CalendarDate{year + 1, 1, 1} : CalendarDate{year, month + 1, 1};
    return dateOfDayNumber(dayNumberOf(nextMonth) - 1);
}

} // namespace

Win32Calendar::Win32Calendar(HWND control) : control_(control) {
    SYSTEMTIME picked{};
    if (SendMessageA(control_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)))
        current_ = calendarDateOf(picked);
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Calendar::controlProcedure)));
}

Win32Calendar::~Win32Calendar() {
    if (!control_) return;
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure_));
    SetWindowLongPtrA(control_, GWLP_USERDATA, 0);
}

void Win32Calendar::setDate(const CalendarDate& date) {
    if (!isValidDate(date)) return;
    // Lift the read-only limits for this one move; they then hold around the new date.
    SendMessageA(control_, MCM_SETRANGE, 0, 0);
    showSelection(date);
    selectionMoved();
    applyOptions();
}

void Win32Calendar::showSelection(const CalendarDate& date) {
    const SYSTEMTIME time = systemTimeOf(date);
    SendMessageA(control_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
}

void Win32Calendar::onNotify(const NMHDR& header) {
    if (header.code == MCN_SELCHANGE || header.code == MCN_SELECT) selectionMoved();
}

void Win32Calendar::selectionMoved() {
    SYSTEMTIME time{};
    if (!SendMessageA(control_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&time))) return;
    const CalendarDate picked = calendarDateOf(time);
    if (picked == current_) return;
    bool cancel = false;
    if (onWillChangeDate) onWillChangeDate(picked, cancel);
    if (cancel) {
        showSelection(current_);
        return;
    }
    const CalendarDate old = current_;
    current_ = picked;
    if (onDateChange) onDateChange(old, picked);
}

void Win32Calendar::setOption(CalendarOption option, bool value) {
    options_[static_cast<std::size_t>(option)] = value;
    applyOptions();
}

void Win32Calendar::applyOptions() {
    // Narrowing the range around the picked date moves nothing.
    const bool monthReadOnly = option(CalendarOption::monthReadOnly);
    if (!monthReadOnly && !option(CalendarOption::yearReadOnly)) {
        SendMessageA(control_, MCM_SETRANGE, 0, 0);
        return;
    }
    const CalendarDate first{current_.year, monthReadOnly ? current_.month : 1, 1};
    const CalendarDate last = monthReadOnly ? lastDayOfMonth(current_.year, current_.month)
                                            : CalendarDate{current_.year, 12, 31};
    const SYSTEMTIME range[2] = {systemTimeOf(first), systemTimeOf(last)};
    SendMessageA(control_, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

bool Win32Calendar::onButtonDown(LPARAM position) {
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof hit;
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    SendMessageA(control_, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const bool onArrow = hit.uHit == MCHT_TITLEBTNNEXT || hit.uHit == MCHT_TITLEBTNPREV;
    if (onArrow && !option(CalendarOption::showIterationButtons)) return true;
    // The control's class does not ask for double clicks: tell them by time and place.
    const DWORD now = GetMessageTime();
    const bool twice = now - lastPressTime_ <= GetDoubleClickTime() &&
                       std::abs(hit.pt.x - lastPress_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(hit.pt.y - lastPress_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    lastPressTime_ = now;
    lastPress_ = twice ? POINT{-1000, -1000} : hit.pt;
    if (twice && onDblClick) onDblClick();
    return false;
}

LRESULT CALLBACK Win32Calendar::controlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Calendar*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    if (!self) return DefWindowProcA(control, message, wParam, lParam);
    const WNDPROC original = self->controlProcedure_;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (self->onButtonDown(lParam)) return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (self->onDblClick) self->onDblClick();
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        self->control_ = nullptr;
        break;
    }
    return CallWindowProcA(original, control, message, wParam, lParam);
}

} // namespace almanix
