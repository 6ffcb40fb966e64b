#pragma once

#include <string>

#include "common/file_system.h"

namespace almanix {

// Files through the ANSI functions, so names and bytes stay in the system code
// page; the program's own files have names that read the same in every code
// page. The pictures folder is the user's, where a name may be in any script:
// there listFiles gives names in UTF-8 and readFirstBytes takes a UTF-8 path,
// through the wide functions.
class Win32FileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) override;
    std::optional<std::string> readWholeFile(const std::string& path) override;
    OpenedFile openForReading(const std::string& path) override;
    // CREATE_NEW under a name of its own; replaced with MoveFileEx.
    std::unique_ptr<ReplacementFile> startReplacing(const std::string& path,
                                                    const std::string& temporaryPrefix) override;
    bool removeFile(const std::string& path) override;
    bool createFolders(const std::string& path) override;
    FolderListing listFiles(const std::string& folder) override;
    std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) override;
    // A named mutex: the program has one data folder, and one lock serves it.
    FolderLockResult lockFolder(const std::string& folder, std::chrono::milliseconds patience) override;
};

} // namespace almanix
