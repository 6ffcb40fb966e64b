#include "win32/win32_platform.h"

#include <shlobj.h>

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

namespace {

void writeTo(DWORD handleName, std::string_view text) {
    const HANDLE handle = GetStdHandle(handleName);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) || written == 0) return;
        text.remove_prefix(written);
    }
}

} // namespace

void Win32Console::write(std::string_view text) { writeTo(STD_OUTPUT_HANDLE, text); }

void Win32Console::writeError(std::string_view line) {
    writeTo(STD_ERROR_HANDLE, "Almanix: " + std::string(line) + "\n");
}

void Win32MessageBox::show(const std::string& text, const std::string& title) {
    // Owned by the active window, which takes no input until the box is dismissed.
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}

DataPaths win32DataPaths() { return {"C:\\Almanix", '\\', "C:\\Almanix\\Pics"}; }

CacheFolder win32CacheFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", folder, MAX_PATH);
    // Where the variable is missing the shell knows the folder; failing that, the temporary folder serves.
    if ((length == 0 || length >= MAX_PATH) &&
        SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK &&
        GetTempPathA(MAX_PATH, folder) == 0)
        return {"Almanix", '\\'};
    std::string path = folder;
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return {path + "\\Almanix", '\\'};
}

} // namespace almanix
