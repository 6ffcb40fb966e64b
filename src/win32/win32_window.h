#pragma once

#include <windows.h>

namespace almanix {

// A plain window: the object rides on the window from WM_NCCREATE on, and a
// derived class answers the messages it cares about.
class Win32Window {
public:
    Win32Window() = default;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;
    virtual ~Win32Window();

    HWND handle() const { return window_; }

protected:
    struct ClassStyle {
        const char* name;
        UINT style;
        HBRUSH background;
    };
    // Registers the class on first use and creates the window; null on failure.
    HWND create(const ClassStyle& windowClass, DWORD extendedStyle, DWORD style, const char* title, const RECT& place,
                HWND parent);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window is gone; the object may be released here.
    virtual void onNcDestroy() {}

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

} // namespace almanix
