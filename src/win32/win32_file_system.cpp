#include "win32/win32_file_system.h"

#include <windows.h>
#include <algorithm>

#include "win32/win32_text.h"

namespace almanix {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

class MutexLock final : public FolderLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    HANDLE mutex_;
};

class HandleReader final : public FileReader {
public:
    explicit HandleReader(HANDLE handle) : file_(handle) {}
    std::optional<std::size_t> read(char* buffer, std::size_t size) override {
        DWORD count = 0;
        if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30)), &count, nullptr))
            return std::nullopt;
        return count;
    }

private:
    FileHandle file_;
};

class Win32Replacement final : public ReplacementFile {
public:
    Win32Replacement(std::string path, std::string temporary, HANDLE handle)
        : path_(std::move(path)),
          temporary_(std::move(temporary)),
          file_(handle) {}
    ~Win32Replacement() override {
        if (committed_) return;
        if (file_.valid()) file_.close();
        DeleteFileA(temporary_.c_str());
    }
    Win32Replacement(const Win32Replacement&) = delete;
    Win32Replacement& operator=(const Win32Replacement&) = delete;

    bool write(std::string_view bytes) override {
        while (file_.valid() && !bytes.empty()) {
            DWORD count = 0;
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
            if (!WriteFile(file_.get(), bytes.data(), piece, &count, nullptr) || count == 0) return false;
            bytes.remove_prefix(count);
        }
        return file_.valid();
    }
    bool commit() override {
        if (!file_.valid() || !FlushFileBuffers(file_.get()) || !file_.close()) return false;
        if (!MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        committed_ = true;
        return true;
    }

private:
    std::string path_;
    std::string temporary_;
    FileHandle file_;
    bool committed_ = false;
};

// Six letters or digits that differ between processes and between calls.
std::string uniqueSuffix(unsigned attempt) {
    static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    unsigned long long mixed = static_cast<unsigned long long>(counter.QuadPart) * 0x9E3779B97F4A7C15ull ^
                               (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^ attempt;
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kCharacters[mixed % 36];
        mixed /= 36;
    }
    return suffix;
}

HANDLE openHandleForReading(const std::string& path) {
    // Shared for deletion too, so that a file being read may be replaced meanwhile.
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

bool Win32FileSystem::exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32FileSystem::readWholeFile(const std::string& path) {
    FileHandle file(openHandleForReading(path));
    if (!file.valid()) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < contents.size()) {
        DWORD count = 0;
        if (!ReadFile(file.get(), contents.data() + done, static_cast<DWORD>(contents.size() - done), &count, nullptr))
            return std::nullopt;
        if (count == 0) break;
        done += count;
    }
    contents.resize(done);
    return contents;
}

OpenedFile Win32FileSystem::openForReading(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileOpening::missing : FileOpening::unreadable, nullptr};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {FileOpening::notAFile, nullptr};
    const HANDLE handle = openHandleForReading(path);
    if (handle == INVALID_HANDLE_VALUE) return {FileOpening::unreadable, nullptr};
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return {FileOpening::notAFile, nullptr};
    }
    return {FileOpening::opened, std::make_unique<HandleReader>(handle)};
}

std::unique_ptr<ReplacementFile> Win32FileSystem::startReplacing(const std::string& path,
                                                                 const std::string& temporaryPrefix) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporaryPrefix + '.' + uniqueSuffix(attempt);
        // CREATE_NEW fails on anything already there, a link included.
        const HANDLE handle =
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return std::make_unique<Win32Replacement>(path, temporary, handle);
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
}

bool Win32FileSystem::removeFile(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool Win32FileSystem::createFolders(const std::string& path) {
    for (std::size_t at = path.find_first_of("\\/", 3);; at = path.find_first_of("\\/", at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
        if (at == std::string::npos) break;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FolderListing Win32FileSystem::listFiles(const std::string& folder) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wideOf(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Only the root of a drive can be listed with no entry at all.
        if (error == ERROR_FILE_NOT_FOUND) return {FolderStatus::listed, {}};
        const bool missing = error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
        return {missing ? FolderStatus::missing : FolderStatus::unreadable, {}};
    }
    FolderListing listing{FolderStatus::listed, {}};
    do {
        // A name that is not valid UTF-16 cannot be named again: it is left out.
        const std::string name = utf8Of(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !name.empty()) listing.fileNames.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return listing;
}

std::optional<std::string> Win32FileSystem::readFirstBytes(const std::string& path, std::size_t count) {
    FileHandle file(CreateFileW(wideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(count - done), &read, nullptr))
            return std::nullopt;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

FolderLockResult Win32FileSystem::lockFolder(const std::string& folder, std::chrono::milliseconds patience) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, "Almanix screen saver: event folder");
    if (!mutex) return {};
    // An abandoned mutex is ours all the same: its holder ended.
    const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(patience.count()));
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        return {FolderLockStatus::held, std::make_unique<MutexLock>(mutex)};
    CloseHandle(mutex);
    return {waited == WAIT_TIMEOUT ? FolderLockStatus::busy : FolderLockStatus::unavailable, nullptr};
}

} // namespace almanix
