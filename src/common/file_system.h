#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace almanix {

enum class FolderStatus { listed, missing, unreadable };

struct FolderListing {
    FolderStatus status = FolderStatus::missing;
    std::vector<std::string> fileNames; // names without the folder, in no particular order
};

// Held for as long as it lives.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

// The files the program reads and writes, so that the core never touches the
// operating system and tests can run on an in-memory folder.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when something exists at the path, readable or not.
    virtual bool exists(const std::string& path) = 0;

    // True when the file can be opened for reading.
    virtual bool canOpenForReading(const std::string& path) = 0;

    // The whole file as bytes, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readWholeFile(const std::string& path) = 0;

    // Writes the contents to temporaryPath, flushes them to the disk and renames
    // the result over path. On any failure the file at path is left as it was.
    virtual bool replaceFile(const std::string& path, const std::string& temporaryPath, std::string_view contents) = 0;

    // Removes the file; true when it is gone.
    virtual bool removeFile(const std::string& path) = 0;

    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool createFolders(const std::string& path) = 0;

    // The names of the files (not the sub-folders) in a folder.
    virtual FolderListing listFiles(const std::string& folder) = 0;

    // Up to count bytes from the start of the file; nothing when it cannot be read.
    virtual std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) = 0;

    // Waits until no other copy of the program holds the folder's lock, then
    // holds it. Nothing when it cannot be had, as for a folder that does not exist.
    virtual std::unique_ptr<FolderLock> lockFolder(const std::string& folder) = 0;
};

} // namespace almanix
