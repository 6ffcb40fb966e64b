#include "settings/settings_store.h"

#include <algorithm>

#include "settings/numeric_text.h"

namespace almanix {

namespace {

constexpr std::size_t kValueBufferSize = 1024;

std::int16_t loadNumber(Registry& registry, std::string_view valueName) {
    const auto text = readRegistryText(registry, RegistryRoot::localMachine, kSettingsKeyPath, valueName);
    return toInt16(numericTextValue(text.value_or("")));
}

// "&h" and two hexadecimal digits per byte, the last byte first.
std::string hexadecimalOf(std::string_view littleEndianBytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto byte = littleEndianBytes.rbegin(); byte != littleEndianBytes.rend(); ++byte) {
        const auto value = static_cast<unsigned char>(*byte);
        text += digits[value >> 4];
        text += digits[value & 0x0F];
    }
    return text;
}

} // namespace

Settings loadSettings(Registry& registry) {
    return {std::clamp(loadNumber(registry, kMoveSpeedName), kMoveSpeedLowest, kMoveSpeedHighest),
            std::clamp(loadNumber(registry, kDaysBeforeEventName), kDaysBeforeEventLowest,
                       kDaysBeforeEventHighest)};
}

bool storeSetting(Registry& registry, std::string_view valueName, std::string_view text) {
    return writeRegistryText(registry, RegistryRoot::localMachine, kSettingsKeyPath, valueName, text);
}

bool writeRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                       std::string_view valueName, std::string_view text) {
    return registry.writeStringValue(root, keyPath, valueName, text.empty() ? " " : text);
}

std::optional<std::string> readRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName) {
    const RegistryRead read = registry.readValue(root, keyPath, valueName, KeyOpening::allAccess, kValueBufferSize);
    if (read.status != RegistryReadStatus::ok) return std::nullopt;
    std::string_view bytes = read.data;
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    if (read.type == RegistryType::text) return std::string(bytes);
    if (read.type == RegistryType::dword) return hexadecimalOf(bytes);
    return std::string();
}

} // namespace almanix
