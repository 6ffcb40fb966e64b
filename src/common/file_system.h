#pragma once

#include <chrono>
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

enum class FolderLockStatus {
    held, // this copy holds it
    busy, // another copy held it for as long as this one would wait
    unavailable, // it cannot be had at all, as for a folder that does not exist
};

struct FolderLockResult {
    FolderLockStatus status = FolderLockStatus::unavailable;
    std::unique_ptr<FolderLock> lock; // while held
};

enum class FileOpening {
    opened,
    missing,
    unreadable, // there, but it cannot be opened for reading
    notAFile, // a folder, or anything else that holds no bytes
};

// A file read from its start, piece by piece.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Reads up to size bytes into buffer: how many it read, 0 at the end of
    // the file, nothing when reading failed.
    virtual std::optional<std::size_t> read(char* buffer, std::size_t size) = 0;
};

struct OpenedFile {
    FileOpening status = FileOpening::missing;
    std::unique_ptr<FileReader> reader; // when opened
};

// A new file written beside the one it is to replace, under a name that no
// other file had: it was made, never opened, so a link planted in its place is
// never followed. It replaces the old file only when committed; dropped before
// that, it is removed and the old file stays as it was.
class ReplacementFile {
public:
    virtual ~ReplacementFile() = default;
    // False when the bytes could not be written; the file is then not committed.
    virtual bool write(std::string_view bytes) = 0;
    // Flushes the new file to the disk and renames it over the old one. False,
    // with the old file whole and the new one removed, when any step fails.
    virtual bool commit() = 0;
};

// The files the program reads and writes, so that the core never touches the
// operating system and tests can run on an in-memory folder.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when something exists at the path, readable or not.
    virtual bool exists(const std::string& path) = 0;

    // The whole file as bytes, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readWholeFile(const std::string& path) = 0;

    // The file, to be read piece by piece.
    virtual OpenedFile openForReading(const std::string& path) = 0;

    // Starts the file that is to replace the one at path, made in the same
    // folder under temporaryPrefix followed by characters of its own. Null when
    // it cannot be made.
    virtual std::unique_ptr<ReplacementFile> startReplacing(const std::string& path,
                                                            const std::string& temporaryPrefix) = 0;

    // Writes the contents to a new file beside path, flushes them to the disk
    // and renames the result over path. On any failure the file at path is
    // left as it was.
    bool replaceFile(const std::string& path, const std::string& temporaryPrefix, std::string_view contents) {
        const auto replacement = startReplacing(path, temporaryPrefix);
        return replacement && replacement->write(contents) && replacement->commit();
    }

    // Removes the file; true when it is gone.
    virtual bool removeFile(const std::string& path) = 0;

    // Removes the new files of replacements still under way, from any thread,
    // for a process about to end before they finish (a write held up by the
    // disk); their commits then fail and the old files stay. None by default.
    virtual void removeUnfinishedReplacements() {}

    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool createFolders(const std::string& path) = 0;

    // The names of the files (not the sub-folders) in a folder.
    virtual FolderListing listFiles(const std::string& folder) = 0;

    // Up to count bytes from the start of the file; nothing when it cannot be read.
    virtual std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) = 0;

    // Waits until no other copy of the program holds the folder's lock, but no
    // longer than patience, then holds it.
    virtual FolderLockResult lockFolder(const std::string& folder, std::chrono::milliseconds patience) = 0;
};

} // namespace almanix
