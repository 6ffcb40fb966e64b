#include "settings/settings_store.h"

#include <algorithm>

#include "settings/numeric_text.h"

namespace almanix {

std::int16_t gMoveSpeed = 0;
std::int16_t gDaysBeforeEvent = 0;

namespace {

constexpr std::size_t kValueBufferSize = 1024;

std::int16_t loadNumber(Registry& registry, std::string_view valueName) {
    std::string text;
    getRegistryValue(registry, HKEY_LOCAL_MACHINE_ROOT, kSettingsKeyPath, valueName, text);
    return toInt16(numericTextValue(text));
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

void loadSettings(Registry& registry) {
    gMoveSpeed = std::clamp(loadNumber(registry, kMoveSpeedName), kMoveSpeedLowest, kMoveSpeedHighest);
    gDaysBeforeEvent =
        std::clamp(loadNumber(registry, kDaysBeforeEventName), kDaysBeforeEventLowest, kDaysBeforeEventHighest);
}

bool setRegistryValue(Registry& registry, RegistryRoot rootKey, std::string_view keyPath,
                      std::string_view valueName, std::string_view valueText) {
    return registry.writeStringValue(rootKey, keyPath, valueName, valueText.empty() ? " " : valueText);
}

bool getRegistryValue(Registry& registry, RegistryRoot rootKey, std::string_view keyPath,
                      std::string_view valueName, std::string& valueText) {
    const RegistryRead read =
        registry.readValue(rootKey, keyPath, valueName, KeyOpening::allAccess, kValueBufferSize);
    if (read.status != RegistryReadStatus::ok) {
        valueText.clear();
        return false;
    }
    std::string_view bytes = read.data;
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);

    if (read.type == REG_SZ_TYPE) {
        valueText = std::string(bytes);
    } else if (read.type == REG_DWORD_TYPE) {
        valueText = hexadecimalOf(bytes);
    }
    return true;
}

} // namespace almanix
