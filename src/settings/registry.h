#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace almanix {

// The two roots the program uses, with their Windows handle values.
enum class RegistryRoot : std::uint32_t { currentUser = 0x80000001u, localMachine = 0x80000002u };

// The value types the program tells apart; a read may meet any other.
namespace RegistryType {
inline constexpr std::uint32_t text = 1;   // REG_SZ
inline constexpr std::uint32_t binary = 3; // REG_BINARY
inline constexpr std::uint32_t dword = 4;  // REG_DWORD
} // namespace RegistryType

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
    virtual RegistryRead readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                   KeyOpening opening, std::size_t bufferSize) = 0;

    // Creates the key when needed and stores the bytes as REG_SZ, exactly as given.
    virtual bool writeStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                  std::string_view bytes) = 0;
};

} // namespace almanix
