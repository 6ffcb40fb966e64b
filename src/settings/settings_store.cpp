#include "settings/settings_store.h"

#include <algorithm>

#include "settings/numeric_text.h"

namespace almanix {

namespace {

constexpr std::size_t kValueBufferSize = 1024;

const char* keyPathOf(RegistryRoot root) {
    return root == RegistryRoot::currentUser ? kUserSettingsKeyPath : kSettingsKeyPath;
}

RegistryRead readSetting(Registry& registry, RegistryRoot root, std::string_view valueName) {
    return registry.readValue(root, keyPathOf(root), valueName, KeyOpening::queryOnly, kValueBufferSize);
}

bool holdsValue(const RegistryRead& read) {
    return read.status == RegistryReadStatus::ok || read.status == RegistryReadStatus::tooLarge;
}

// The user's key where it holds the value, so that a value stored there for a
// user who may not write the machine's key is the one that user sees.
RegistryRoot rootHolding(Registry& registry, std::string_view valueName) {
    return holdsValue(readSetting(registry, RegistryRoot::currentUser, valueName)) ? RegistryRoot::currentUser
                                                                                   : RegistryRoot::localMachine;
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

// A read value as text: REG_SZ as stored, REG_DWORD in hexadecimal, any other type empty.
std::optional<std::string> textOf(const RegistryRead& read) {
    if (read.status != RegistryReadStatus::ok) return std::nullopt;
    std::string_view bytes = read.data;
    if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    if (read.type == RegistryType::text) return std::string(bytes);
    if (read.type == RegistryType::dword) return hexadecimalOf(bytes);
    return std::string();
}

// From the user's key where it holds the value, else from the machine's.
std::int16_t loadNumber(Registry& registry, std::string_view valueName) {
    const RegistryRead user = readSetting(registry, RegistryRoot::currentUser, valueName);
    const auto text = holdsValue(user)
                          ? textOf(user)
                          : readRegistryText(registry, RegistryRoot::localMachine, kSettingsKeyPath, valueName);
    return toInt16(numericTextValue(text.value_or("")));
}

} // namespace

Settings loadSettings(Registry& registry) {
    return {std::clamp(loadNumber(registry, kMoveSpeedName), kMoveSpeedLowest, kMoveSpeedHighest),
            std::clamp(loadNumber(registry, kDaysBeforeEventName), kDaysBeforeEventLowest, kDaysBeforeEventHighest)};
}

SettingWrite storeSetting(Registry& registry, std::string_view valueName, std::string_view text) {
    RegistryRoot root = rootHolding(registry, valueName);
    RegistryWriteStatus status = writeRegistryText(registry, root, keyPathOf(root), valueName, text);
    if (status == RegistryWriteStatus::accessDenied && root == RegistryRoot::localMachine) {
        root = RegistryRoot::currentUser;
        status = writeRegistryText(registry, root, keyPathOf(root), valueName, text);
    }
    return {status, registry.placeOf(root, keyPathOf(root))};
}

std::string failedWriteMessage(const SettingWrite& write) {
    if (write.status == RegistryWriteStatus::storeUnreadable)
        return "The setting was not saved: " + write.place +
               ", where the settings live, could not be read or understood, so it was left as it is.";
    return "The setting could not be saved in " + write.place + ", where the settings live.";
}

RegistryWriteStatus writeRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                                      std::string_view valueName, std::string_view text) {
    return registry.writeStringValue(root, keyPath, valueName, text.empty() ? " " : text);
}

std::optional<std::string> readRegistryText(Registry& registry, RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName) {
    return textOf(registry.readValue(root, keyPath, valueName, KeyOpening::queryOnly, kValueBufferSize));
}

} // namespace almanix
