#pragma once

#include <optional>
#include <string>

#include "common/file_system.h"
#include "settings/registry.h"

namespace almanix {

// The registry kept as a REGEDIT4 text file, for systems without one:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Screen saver\Almanix]
//   "MoveSpeed"="12"
//   "DaysBeforeEvent"=dword:00000014
//
// A quoted text holds exactly its bytes (no terminating NUL is implied); dword:,
// hex: and hex(n): hold typed data. Key paths and value names ignore letter case.
// The first line may also be "Windows Registry Editor Version 5.00", and is kept.
// A write changes one line and keeps every other line of the file as it was; a
// missing or blank file is begun anew; a file that cannot be read or has
// neither first line reads as empty and is never overwritten.
class RegFileRegistry final : public Registry {
public:
    RegFileRegistry(FileSystem& files, std::string folder, std::string fileName = "registry.reg");

    RegistryRead readValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName, KeyOpening opening,
                           std::size_t bufferSize) override;
    RegistryWriteStatus writeStringValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                         std::string_view bytes) override;
    RegistryWriteStatus removeValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName) override;
    std::string placeOf(RegistryRoot root, std::string_view keyPath) override;

    std::string filePath() const { return folder_ + '/' + fileName_; }

private:
    // Writes the value as REG_SZ, or removes it for no bytes, rewriting the whole file.
    RegistryWriteStatus editValue(RegistryRoot root, std::string_view keyPath, std::string_view valueName,
                                  std::optional<std::string_view> bytes);

    FileSystem& files_;
    std::string folder_;
    std::string fileName_;
};

} // namespace almanix
