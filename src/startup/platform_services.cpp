#include "startup/platform_services.h"

#include "startup/command_line.h"
#include "startup/startup_state.h"

namespace almanix {

namespace {

constexpr std::size_t kFlagBufferSize = 2048;

std::string lowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

} // namespace

std::string getWindowsVersion(PlatformServices& services) {
    switch (services.platformId()) {
    case 1: return "95";
    case 2: return "NT";
    default: return "Unknown";
    }
}

std::int16_t readRegistryFlag(Registry& registry, RegistryRoot root, std::string_view keyPath,
                              std::string_view valueName) {
    const RegistryRead read =
        registry.readValue(root, keyPath, valueName, KeyOpening::plain, kFlagBufferSize);
    if (read.status != RegistryReadStatus::ok) return 0;
    // The data without its last byte decides; with no data the space-filled buffer does.
    if (read.data.empty()) return ' ';
    if (read.data.size() == 1) return 0;
    return static_cast<unsigned char>(read.data.front());
}

void switchSystemKeys(PlatformServices& services, std::string_view word) {
    if (gWinVersion != "95" || gUsePassword != 1) return;
    const std::string lower = lowerCase(word);
    if (lower == "disable") services.setScreenSaverRunning(true);
    else if (lower == "enable") services.setScreenSaverRunning(false);
}

void changePassword(PlatformServices& services, MessageBoxes& messages, std::string_view argumentText) {
    const auto handle = windowHandleOf(argumentText);
    if (handle) gParentWindow = *handle;
    if (!handle || !services.changePassword("SCRSAVE", *handle))
        messages.show("The password change has failed", "PW");
}

} // namespace almanix
