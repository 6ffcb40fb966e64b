#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "common/file_system.h"

namespace almanix {

// A file that is a symbolic link is replaced at its target, with the temporary
// file beside the target, so that the link stays a link.
class PosixFileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) override;
    std::optional<std::string> readWholeFile(const std::string& path) override;
    OpenedFile openForReading(const std::string& path) override;
    // O_CREAT | O_EXCL | O_NOFOLLOW under a name of its own, as mkstemp makes it.
    std::unique_ptr<ReplacementFile> startReplacing(const std::string& path,
                                                    const std::string& temporaryPrefix) override;
    bool removeFile(const std::string& path) override;
    bool createFolders(const std::string& path) override;
    FolderListing listFiles(const std::string& folder) override;
    std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) override;
    // flock on the folder itself, so that no lock file is ever left in it.
    FolderLockResult lockFolder(const std::string& folder, std::chrono::milliseconds patience) override;
    void removeUnfinishedReplacements() override;

    // The new files of the replacements under way, shared with them.
    struct Unfinished {
        std::mutex mutex;
        std::set<std::string> paths;
    };

private:
    std::shared_ptr<Unfinished> unfinished_ = std::make_shared<Unfinished>();
};

} // namespace almanix
