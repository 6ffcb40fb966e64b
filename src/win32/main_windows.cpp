#include <windows.h>
#include <commctrl.h>

#include "startup/program_start.h"
#include "win32/win32_file_system.h"
#include "win32/win32_platform.h"
#include "win32/win32_registry.h"
#include "win32/win32_shell.h"
#include "win32/win32_short_date.h"
#include "win32/win32_time_zones.h"
#include "win32/winhttp_link_fetcher.h"

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

    Win32FileSystem files;
    Win32Registry registry;
    Win32ShortDate shortDate;
    Win32Clock clock;
    Win32MessageBox messages;
    Win32PlatformServices services;
    Win32Console console;
    WinHttpLinkFetcher linkFetcher;
    Win32TimeZones timeZones;
    Platform platform{files,       registry,           shortDate, clock, messages, services, console, win32DataPaths(),
                      linkFetcher, win32CacheFolder(), timeZones};
    Win32StartupShell shell(platform);

    switch (startProgram(commandLine ? commandLine : "", shell, platform)) {
    case StartResult::nothingOpened: return 0;
    case StartResult::startupFailed: return 2;
    case StartResult::displayUnavailable:
    case StartResult::agendaPartly: return 1;
    case StartResult::windowOpened: break;
    }
    // The process lives as long as one of its windows does.
    if (!threadHasWindows()) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The last window has unloaded and written what it had to. Ending here
    // stops a picture worker that still reads (a file that never answers)
    // before anything it uses is torn down, and waits for none of them.
    ExitProcess(static_cast<UINT>(message.wParam));
}
