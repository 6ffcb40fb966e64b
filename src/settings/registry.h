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
inline constexpr std::uint32_t text = 1; // REG_SZ
inline constexpr std::uint32_t binary = 3; // REG_BINARY
inline constexpr std::uint32_t dword = 4; // REG_DWORD
} // namespace RegistryType

// How a key is opened for reading: the plain open of the password flag, or the
// settings store's open for querying values only, which a standard user may
// make under HKEY_LOCAL_MACHINE.
enum class KeyOpening { plain, queryOnly };

enum class RegistryReadStatus { ok, keyMissing, valueMissing, tooLarge };

// storeUnreadable: the file that holds the registry could not be read or
// understood, and was left as it is.
enum class RegistryWriteStatus { written, accessDenied, storeUnreadable, failed };

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
    virtual RegistryWriteStatus writeStringValue(RegistryRoot root, std::string_view keyPath,
                                                 std::string_view valueName, std::string_view bytes) = 0;

    // Removes the value; written when it is gone, also when there was none.
    virtual RegistryWriteStatus removeValue(RegistryRoot root, std::string_view keyPath,
                                            std::string_view valueName) = 0;

    // Where the user finds the key, for messages: "the registry key ..." or the file that holds it.
    virtual std::string placeOf(RegistryRoot root, std::string_view keyPath) = 0;
};

} // namespace almanix
