#include "win32/win32_window.h"

namespace almanix {

Win32Window::~Win32Window() {
    if (window_) {
        // The window must not reach a destroyed object.
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND Win32Window::create(const ClassStyle& windowClass, DWORD extendedStyle, DWORD style, const char* title,
                         const RECT& place, HWND parent) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA registered{};
    if (!GetClassInfoA(instance, windowClass.name, &registered)) {
        WNDCLASSA description{};
        description.style = windowClass.style;
        description.lpfnWndProc = windowProcedure;
        description.hInstance = instance;
        description.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        description.hbrBackground = windowClass.background;
        description.lpszClassName = windowClass.name;
        if (!RegisterClassA(&description)) return nullptr;
    }
    return CreateWindowExA(extendedStyle, windowClass.name, title, style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent, nullptr, instance, this);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->onNcDestroy();
    }
    return result;
}

} // namespace almanix
