#pragma once

#include <windows.h>

#include "calendars/kept_copy.h"
#include "common/console.h"
#include "common/data_paths.h"
#include "common/message_box.h"
#include "common/platform_services.h"
#include "win32/win32_bound_function.h"

namespace almanix {

// The 95-family services are bound by name at first use, so that the program
// also starts where they do not exist.
class Win32PlatformServices final : public PlatformServices {
public:
    std::uint32_t platformId() override;
    void setScreenSaverRunning(bool running) override;
    bool changePassword(std::string_view provider, std::int32_t ownerWindow) override;

private:
    BoundFunction<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT)> systemParametersInfo_{"user32.dll", "SystemParametersInfoA"};
    BoundFunction<DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD)> pwdChangePassword_{"mpr.dll", "PwdChangePasswordA"};
};

class Win32MessageBox final : public MessageBoxes {
public:
    void show(const std::string& text, const std::string& title) override;
};

// The standard output and error the program was started with: a screen saver
// is a windowed program, whose C streams may be bound to nothing.
class Win32Console final : public Console {
public:
    void write(std::string_view text) override;
    void writeError(std::string_view line) override;
};

// The data folder C:\Almanix.
DataPaths win32DataPaths();

// %LOCALAPPDATA%\Almanix: the links' kept copies.
CacheFolder win32CacheFolder();

// The window with that handle as the command line gives it.
inline HWND windowOfHandle(std::int32_t handle) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)); }

} // namespace almanix
