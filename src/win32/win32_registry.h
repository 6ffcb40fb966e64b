#pragma once

#include "settings/registry.h"

namespace almanix {

// The Windows registry through the ANSI functions. Keys are opened with the
// least access each step needs, so that a standard user may read the machine's
// settings and is told apart when refused a write.
class Win32Registry final : public Registry {
public:
    RegistryRead readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName, KeyOpening opening,
                           std::size_t bufferSize) override;
    RegistryWriteStatus writeStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                         std::string_view bytes) override;
    RegistryWriteStatus removeValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName) override;
    std::string placeOf(RegistryRoot root, std::string_view keyPath) override;
};

} // namespace almanix
