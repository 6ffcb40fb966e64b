#include "win32/win32_platform.h"

#include <string>

namespace almanix {

std::uint32_t Win32PlatformServices::platformId() {
    OSVERSIONINFOA versionInfo{};
    versionInfo.dwOSVersionInfoSize = sizeof versionInfo; // 148 bytes
    GetVersionExA(&versionInfo);
    return versionInfo.dwPlatformId;
}

void Win32PlatformServices::setScreenSaverRunning(bool running) {
    const auto systemParametersInfo = systemParametersInfo_.get();
    if (!systemParametersInfo) return;
    DWORD previous = 0;
    systemParametersInfo(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

bool Win32PlatformServices::changePassword(std::string_view provider, std::int32_t ownerWindow) {
    const auto pwdChangePassword = pwdChangePassword_.get();
    if (!pwdChangePassword) return false;
    const std::string providerText(provider);
    pwdChangePassword(providerText.c_str(), windowOfHandle(ownerWindow), 0, 0);
    return true;
}

void Win32MessageBox::show(const std::string& text, const std::string& title) {
    // Owned by the active window, which takes no input until the box is dismissed.
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}

DataPaths win32DataPaths() { return {"C:\\Almanix", '\\', "C:\\Almanix\\Pics"}; }

} // namespace almanix
