#include "qt/posix_file_system.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace almanix {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }
    bool close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

private:
    int descriptor_;
};

bool writeAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The lock goes with the descriptor when it closes.
class FlockedFolder final : public FolderLock {
public:
    explicit FlockedFolder(int descriptor) : descriptor_(descriptor) {}

private:
    FileDescriptor descriptor_;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names once its symbolic links are followed; the path itself
// when it is no link, or links go round in circles.
std::string linkTargetOf(const std::string& path) {
    std::string target = path;
    for (int links = 0; links < 40; ++links) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0) return target;
        link.resize(static_cast<std::size_t>(length));
        target = link.front() == '/' ? link : folderOf(target) + '/' + link;
    }
    return path;
}

} // namespace

bool PosixFileSystem::exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool PosixFileSystem::canOpenForReading(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC)).valid();
}

std::optional<std::string> PosixFileSystem::readWholeFile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    std::string contents;
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return std::nullopt;
        if (count == 0) return contents;
        contents.append(buffer, static_cast<std::size_t>(count));
    }
}

bool PosixFileSystem::replaceFile(const std::string& linkPath, const std::string& linkTemporaryPath,
                                  std::string_view contents) {
    const std::string path = linkTargetOf(linkPath);
    const std::string temporaryPath =
        path == linkPath ? linkTemporaryPath : folderOf(path) + '/' + fileNameOf(linkTemporaryPath);
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0666;

    FileDescriptor file(::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
    if (!file.valid()) return false;
    const bool written = writeAll(file.get(), contents) && ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        ::unlink(temporaryPath.c_str());
        return false;
    }
    // Make the rename itself durable.
    FileDescriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
    return true;
}

bool PosixFileSystem::removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool PosixFileSystem::createFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

FolderListing PosixFileSystem::listFiles(const std::string& folder) {
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return {errno == ENOENT ? FolderStatus::missing : FolderStatus::unreadable, {}};
    FolderListing listing{FolderStatus::listed, {}};
    while (const dirent* entry = ::readdir(directory)) {
        // Follows symbolic links, so a link to a picture counts as the picture.
        struct stat status {};
        if (::fstatat(::dirfd(directory), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode))
            listing.fileNames.emplace_back(entry->d_name);
    }
    ::closedir(directory);
    return listing;
}

std::optional<std::string> PosixFileSystem::readFirstBytes(const std::string& path, std::size_t count) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t read = ::read(file.get(), bytes.data() + done, count - done);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return std::nullopt;
        if (read == 0) break;
        done += static_cast<std::size_t>(read);
    }
    bytes.resize(done);
    return bytes;
}

std::unique_ptr<FolderLock> PosixFileSystem::lockFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    auto lock = std::make_unique<FlockedFolder>(descriptor);
    int result = 0;
    while ((result = ::flock(descriptor, LOCK_EX)) != 0 && errno == EINTR) {}
    if (result != 0) return nullptr;
    return lock;
}

} // namespace almanix
