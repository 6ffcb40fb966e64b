#include "qt/posix_file_system.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
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
    int release() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return descriptor;
    }
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

class DescriptorReader final : public FileReader {
public:
    explicit DescriptorReader(int descriptor) : file_(descriptor) {}
    std::optional<std::size_t> read(char* buffer, std::size_t size) override {
        while (true) {
            const ssize_t count = ::read(file_.get(), buffer, size);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) return std::nullopt;
            return static_cast<std::size_t>(count);
        }
    }

private:
    FileDescriptor file_;
};

std::string folderOf(const std::string& path);

class PosixReplacement final : public ReplacementFile {
public:
    PosixReplacement(std::string path, std::string temporary, int descriptor,
                     std::shared_ptr<PosixFileSystem::Unfinished> unfinished)
        : path_(std::move(path)),
          temporary_(std::move(temporary)),
          file_(descriptor),
          unfinished_(std::move(unfinished)) {
        const std::lock_guard lock(unfinished_->mutex);
        unfinished_->paths.insert(temporary_);
    }
    ~PosixReplacement() override {
        {
            const std::lock_guard lock(unfinished_->mutex);
            unfinished_->paths.erase(temporary_);
        }
        if (committed_) return;
        if (file_.valid()) file_.close();
        ::unlink(temporary_.c_str());
    }
    PosixReplacement(const PosixReplacement&) = delete;
    PosixReplacement& operator=(const PosixReplacement&) = delete;

    bool write(std::string_view bytes) override { return file_.valid() && writeAll(file_.get(), bytes); }
    bool commit() override {
        if (!file_.valid() || ::fsync(file_.get()) != 0 || !file_.close()) return false;
        if (::rename(temporary_.c_str(), path_.c_str()) != 0) return false;
        committed_ = true;
        // Make the rename itself durable.
        FileDescriptor folder(::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) ::fsync(folder.get());
        return true;
    }

private:
    std::string path_;
    std::string temporary_;
    FileDescriptor file_;
    std::shared_ptr<PosixFileSystem::Unfinished> unfinished_;
    bool committed_ = false;
};

// Six letters or digits, as mkstemp puts in place of its XXXXXX.
std::string uniqueSuffix(std::random_device& entropy) {
    static constexpr std::string_view kCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += kCharacters[entropy() % kCharacters.size()];
    return suffix;
}

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

OpenedFile PosixFileSystem::openForReading(const std::string& path) {
    // Without blocking: a FIFO in the file's place must not hang the reader.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return {missing ? FileOpening::missing : FileOpening::unreadable, nullptr};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return {FileOpening::unreadable, nullptr};
    if (!S_ISREG(status.st_mode)) return {FileOpening::notAFile, nullptr};
    return {FileOpening::opened, std::make_unique<DescriptorReader>(file.release())};
}

std::unique_ptr<ReplacementFile> PosixFileSystem::startReplacing(const std::string& linkPath,
                                                                 const std::string& linkTemporaryPrefix) {
    const std::string path = linkTargetOf(linkPath);
    const std::string temporaryPrefix =
        path == linkPath ? linkTemporaryPrefix : folderOf(path) + '/' + fileNameOf(linkTemporaryPrefix);
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0666;
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporaryPrefix + '.' + uniqueSuffix(entropy);
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (descriptor >= 0) return std::make_unique<PosixReplacement>(path, temporary, descriptor, unfinished_);
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

void PosixFileSystem::removeUnfinishedReplacements() {
    // A commit's rename after this finds no file and fails: the old file stays.
    const std::lock_guard lock(unfinished_->mutex);
    for (const std::string& path : unfinished_->paths) ::unlink(path.c_str());
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

FolderLockResult PosixFileSystem::lockFolder(const std::string& folder, std::chrono::milliseconds patience) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return {};
    auto lock = std::make_unique<FlockedFolder>(descriptor);
    // Asked again and again rather than waited for, so that the wait has a limit.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return {};
        if (std::chrono::steady_clock::now() >= deadline) return {FolderLockStatus::busy, nullptr};
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {FolderLockStatus::held, std::move(lock)};
}

} // namespace almanix
