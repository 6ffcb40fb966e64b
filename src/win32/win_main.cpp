#include <windows.h>
#include <commctrl.h>

#include "startup/main_dispatch.h"
#include "win32/win32_platform.h"
#include "win32/win32_registry.h"

namespace {

BOOL CALLBACK noteWindow(HWND, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool threadHasWindows() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), noteWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    using namespace almanix;

    // Real Windows registers the calendar and slider classes only when asked.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Registry registry;
    Win32PlatformServices platform;
    Win32MessageBox messages;
    Win32StartupShell shell;
    StartupServices services{shell, platform, registry, messages};

    switch (Main(commandLine ? commandLine : "", services)) {
    case MainResult::nothingOpened: return 0;
    case MainResult::startupFailed: return 2;
    case MainResult::windowOpened: break;
    }
    // The process lives as long as one of its windows does.
    if (!threadHasWindows()) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
