#include "win32/win32_file_system.h"

#include <windows.h>

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

HANDLE openForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

std::wstring wideOf(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string utf8Of(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

bool Win32FileSystem::exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::canOpenForReading(const std::string& path) { return FileHandle(openForReading(path)).valid(); }

std::optional<std::string> Win32FileSystem::readWholeFile(const std::string& path) {
    FileHandle file(openForReading(path));
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

bool Win32FileSystem::replaceFile(const std::string& path, const std::string& temporaryPath,
                                  std::string_view contents) {
    FileHandle file(
        CreateFileA(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool written = true;
    while (written && !contents.empty()) {
        DWORD count = 0;
        written =
            WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &count, nullptr) && count > 0;
        contents.remove_prefix(count);
    }
    written = written && FlushFileBuffers(file.get()) && file.close();
    if (!written ||
        !MoveFileExA(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (file.valid()) file.close();
        DeleteFileA(temporaryPath.c_str());
        return false;
    }
    return true;
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

std::unique_ptr<FolderLock> Win32FileSystem::lockFolder(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, "Almanix screen saver: event folder");
    if (!mutex) return nullptr;
    // An abandoned mutex is ours all the same: its holder ended.
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

} // namespace almanix
