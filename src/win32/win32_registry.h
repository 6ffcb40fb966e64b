#pragma once

#include "settings/registry.h"

namespace almanix {

// The Windows registry through the ANSI functions.
class Win32Registry final : public Registry {
public:
    RegistryRead readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                           KeyOpening opening, std::size_t bufferSize) override;
    bool writeStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                          std::string_view bytes) override;
};

} // namespace almanix
