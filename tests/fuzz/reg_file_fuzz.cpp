// Whatever the registry file holds, a write either reads back exactly and
// leaves the other setting as it read before, or leaves the file untouched.
#include <cstdlib>

#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte chooses the key and the value name; the second, how many
    // of the bytes after it are the value written; the rest is the file.
    const bool user = data[0] & 1;
    const RegistryRoot root = user ? RegistryRoot::currentUser : RegistryRoot::localMachine;
    const char* keyPath = user ? kUserSettingsKeyPath : kSettingsKeyPath;
    const char* name = data[0] & 2 ? kMoveSpeedName : kDaysBeforeEventName;
    const char* other = data[0] & 2 ? kDaysBeforeEventName : kMoveSpeedName;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string_view value = rest.substr(0, data[1] % 32);
    const std::string file(rest.substr(value.size()));

    testing::MemoryFileSystem files;
    RegFileRegistry registry(files, "/config");
    files.files[registry.filePath()] = file;
    const auto otherBefore = registry.readValue(root, keyPath, other, KeyOpening::queryOnly, 1024);

    if (registry.writeStringValue(root, keyPath, name, value) != RegistryWriteStatus::written) {
        if (files.files[registry.filePath()] != file) std::abort();
        return 0;
    }
    const auto read = registry.readValue(root, keyPath, name, KeyOpening::queryOnly, 1024);
    if (read.status != RegistryReadStatus::ok || read.type != RegistryType::text || read.data != value) std::abort();
    // The key may be new, so the other value, missing before, may now miss from a key that exists.
    auto otherAfter = registry.readValue(root, keyPath, other, KeyOpening::queryOnly, 1024);
    if (otherBefore.status == RegistryReadStatus::keyMissing && otherAfter.status == RegistryReadStatus::valueMissing)
        otherAfter.status = RegistryReadStatus::keyMissing;
    if (otherAfter.status != otherBefore.status || otherAfter.type != otherBefore.type ||
        otherAfter.data != otherBefore.data)
        std::abort();
    return 0;
}
