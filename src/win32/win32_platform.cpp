#include "win32/win32_platform.h"

#include <cstdio>
#include <windows.h>

#include "win32/win32_bound_function.h"
#include "win32/win32_saver.h"
#include "win32/win32_setup_window.h"

namespace almanix {

namespace {

using SystemParametersInfoFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

constexpr UINT kSetScreenSaverRunning = 97;

} // namespace

std::uint32_t Win32PlatformServices::platformId() {
    OSVERSIONINFOA versionInfo{};
    versionInfo.dwOSVersionInfoSize = sizeof versionInfo; // 148 bytes
    GetVersionExA(&versionInfo);
    return versionInfo.dwPlatformId;
}

void Win32PlatformServices::setScreenSaverRunning(bool running) {
    static const auto systemParametersInfo =
        boundFunction<SystemParametersInfoFunction>("user32.dll", "SystemParametersInfoA");
    if (!systemParametersInfo) return;
    DWORD previous = 0;
    systemParametersInfo(kSetScreenSaverRunning, running ? 1 : 0, &previous, 0);
}

bool Win32PlatformServices::changePassword(std::string_view provider, std::int32_t ownerWindow) {
    static const auto pwdChangePassword =
        boundFunction<PwdChangePasswordFunction>("mpr.dll", "PwdChangePasswordA");
    if (!pwdChangePassword) return false;
    const std::string providerText(provider);
    pwdChangePassword(providerText.c_str(), reinterpret_cast<HWND>(static_cast<INT_PTR>(ownerWindow)), 0, 0);
    return true;
}

void Win32MessageBox::show(const std::string& text, const std::string& title) {
    // Owned by the active window, which takes no input until the box is dismissed.
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}

DataPaths win32DataPaths() { return {"C:\\Almanix", '\\'}; }

bool Win32StartupShell::anotherCopyIsRunning() {
    // Deliberately never closed: the mutex lives as long as the process.
    CreateMutexA(nullptr, FALSE, "Almanix screen saver: one copy");
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32StartupShell::showSaverFullScreen() { return openSaverFullScreen(); }

WindowRect Win32StartupShell::clientRectOf(std::int32_t window) {
    RECT rect{};
    GetClientRect(reinterpret_cast<HWND>(static_cast<INT_PTR>(window)), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool Win32StartupShell::showSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) {
    return openSaverPreview(parentWindow, parentRect);
}

bool Win32StartupShell::showSetupWindow() { return showWin32SetupWindow(); }

} // namespace almanix
