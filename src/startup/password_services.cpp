#include "startup/password_services.h"

#include "startup/command_line.h"

namespace almanix {

namespace {

constexpr std::size_t kFlagBufferSize = 2048;

} // namespace

WindowsFamily windowsFamilyOf(PlatformServices& services) {
    switch (services.platformId()) {
    case 1: return WindowsFamily::windows95;
    case 2: return WindowsFamily::nt;
    default: return WindowsFamily::unknown;
    }
}

std::int16_t readRegistryFlag(Registry& registry, RegistryRoot root, std::string_view keyPath,
                              std::string_view valueName) {
    const RegistryRead read = registry.readValue(root, keyPath, valueName, KeyOpening::plain, kFlagBufferSize);
    if (read.status != RegistryReadStatus::ok) return 0;
    // The data without its last byte decides; with no data the space-filled buffer does.
    if (read.data.empty()) return ' ';
    if (read.data.size() == 1) return 0;
    return static_cast<unsigned char>(read.data.front());
}

SaverPassword saverPasswordOf(PlatformServices& services, Registry& registry) {
    if (windowsFamilyOf(services) != WindowsFamily::windows95) return SaverPassword::off;
    const std::int16_t flag =
        readRegistryFlag(registry, RegistryRoot::currentUser, "Control Panel\\Desktop", "ScreenSaveUsePassword");
    return flag == 1 ? SaverPassword::on : SaverPassword::off;
}

void changePassword(PlatformServices& services, MessageBoxes& messages, std::string_view argumentText) {
    const auto handle = windowHandleOf(argumentText);
    if (!handle || !services.changePassword("SCRSAVE", *handle)) messages.show("The password change has failed", "PW");
}

} // namespace almanix
