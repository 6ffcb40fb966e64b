#pragma once

#include "common/file_system.h"

namespace almanix {

// A file that is a symbolic link is replaced at its target, with the temporary
// file beside the target, so that the link stays a link.
class PosixFileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) override;
    bool canOpenForReading(const std::string& path) override;
    std::optional<std::string> readWholeFile(const std::string& path) override;
    bool replaceFile(const std::string& path, const std::string& temporaryPath, std::string_view contents) override;
    bool removeFile(const std::string& path) override;
    bool createFolders(const std::string& path) override;
    FolderListing listFiles(const std::string& folder) override;
    std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) override;
    // flock on the folder itself, so that no lock file is ever left in it.
    std::unique_ptr<FolderLock> lockFolder(const std::string& folder) override;
};

} // namespace almanix
