#include "settings/calendar_sources.h"

namespace almanix {

namespace {

// Links carry long access tokens.
constexpr std::size_t kSourceBufferSize = 8192;
// Far beyond any real list; a key edited by hand cannot make the read run long.
constexpr std::size_t kMostSources = 1000;

std::string valueNameOf(std::size_t index) { return "Calendar" + std::to_string(index + 1); }

const char* keyPathOf(RegistryRoot root) {
    return root == RegistryRoot::currentUser ? kUserSettingsKeyPath : kSettingsKeyPath;
}

// A source as stored: REG_SZ without its trailing NUL; nothing for a missing,
// blank or unreadable value, which ends the list.
std::optional<std::string> readSource(Registry& registry, RegistryRoot root, std::size_t index) {
    const RegistryRead read =
        registry.readValue(root, keyPathOf(root), valueNameOf(index), KeyOpening::queryOnly, kSourceBufferSize);
    if (read.status != RegistryReadStatus::ok || read.type != RegistryType::text) return std::nullopt;
    std::string text = read.data;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    return text;
}

// The user's key where it holds a list, a blank first value included, so that
// a user who may not write the machine's key keeps a list of their own.
RegistryRoot rootOfList(Registry& registry) {
    const RegistryRead first = registry.readValue(RegistryRoot::currentUser, kUserSettingsKeyPath, valueNameOf(0),
                                                  KeyOpening::queryOnly, kSourceBufferSize);
    return first.status == RegistryReadStatus::ok || first.status == RegistryReadStatus::tooLarge
               ? RegistryRoot::currentUser
               : RegistryRoot::localMachine;
}

std::vector<std::string> loadFrom(Registry& registry, RegistryRoot root) {
    std::vector<std::string> sources;
    while (sources.size() < kMostSources) {
        auto source = readSource(registry, root, sources.size());
        if (!source) break;
        sources.push_back(std::move(*source));
    }
    return sources;
}

// Writes the list and removes what followed it; an empty list in the user's key
// is a blank first value, so that the machine's list does not show through.
RegistryWriteStatus writeList(Registry& registry, RegistryRoot root, const std::vector<std::string>& sources,
                              std::size_t oldCount) {
    const char* keyPath = keyPathOf(root);
    for (std::size_t index = 0; index < sources.size(); ++index) {
        const RegistryWriteStatus status =
            writeRegistryText(registry, root, keyPath, valueNameOf(index), sources[index]);
        if (status != RegistryWriteStatus::written) return status;
    }
    std::size_t index = sources.size();
    if (sources.empty() && root == RegistryRoot::currentUser) {
        const RegistryWriteStatus status = writeRegistryText(registry, root, keyPath, valueNameOf(0), " ");
        if (status != RegistryWriteStatus::written) return status;
        index = 1;
    }
    for (; index < oldCount; ++index) {
        const RegistryWriteStatus status = registry.removeValue(root, keyPath, valueNameOf(index));
        if (status != RegistryWriteStatus::written) return status;
    }
    return RegistryWriteStatus::written;
}

} // namespace

std::vector<std::string> loadCalendarSources(Registry& registry) { return loadFrom(registry, rootOfList(registry)); }

SettingWrite storeCalendarSources(Registry& registry, const std::vector<std::string>& sources) {
    RegistryRoot root = rootOfList(registry);
    const std::vector<std::string> old = loadFrom(registry, root);
    // The values up to the first gap were the list; one more may be its blank end.
    const std::size_t oldCount = old.size() + 1;
    RegistryWriteStatus status = writeList(registry, root, sources, oldCount);
    if (status == RegistryWriteStatus::accessDenied && root == RegistryRoot::localMachine) {
        // Written nothing yet: the machine's key refuses this user from the first value.
        root = RegistryRoot::currentUser;
        status = writeList(registry, root, sources, loadFrom(registry, root).size() + 1);
    } else if (status != RegistryWriteStatus::written) {
        writeList(registry, root, old, std::max(oldCount, sources.size() + 1));
    }
    return {status, registry.placeOf(root, keyPathOf(root))};
}

} // namespace almanix
