#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace almanix {

using RegistryRoot = std::uint32_t;
inline constexpr RegistryRoot HKEY_CURRENT_USER_ROOT = 0x80000001u;
inline constexpr RegistryRoot HKEY_LOCAL_MACHINE_ROOT = 0x80000002u;

inline constexpr std::uint32_t REG_SZ_TYPE = 1;
inline constexpr std::uint32_t REG_BINARY_TYPE = 3;
inline constexpr std::uint32_t REG_DWORD_TYPE = 4;

// How a key is opened for reading: the plain open of the password flag, or the
// full-access open of the settings store.
enum class KeyOpening { plain, allAccess };

enum class RegistryReadStatus { ok, keyMissing, valueMissing, tooLarge };

struct RegistryRead {
    RegistryReadStatus status = RegistryReadStatus::keyMissing;
    std::uint32_t type = 0;
    std::string data; // the value's bytes exactly as stored, when status is ok
};

// The Windows registry, or what stands in for it.
class Registry {
public:
    virtual ~Registry() = default;

    // Reads one value; a value longer than bufferSize bytes is tooLarge.
    virtual RegistryRead readValue(RegistryRoot root, std::string_view keyPath,
                                   std::string_view valueName, KeyOpening opening,
                                   std::size_t bufferSize) = 0;

    // Creates the key when needed and stores the bytes as REG_SZ, exactly as given.
    virtual bool writeStringValue(RegistryRoot root, std::string_view keyPath,
                                  std::string_view valueName, std::string_view bytes) = 0;
};

} // namespace almanix
