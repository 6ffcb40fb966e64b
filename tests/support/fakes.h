#pragma once

// In-memory stand-ins for the platform, so the core's rules run without a display.

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "events/date_pattern.h"
#include "settings/settings_store.h"
#include "setup/calendar_descriptions.h"
#include "startup/platform.h"

namespace almanix::testing {

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> unreadable; // exist but cannot be opened
    std::set<std::string> failingReads; // open, but reading fails
    bool failWrites = false;
    std::vector<std::string> writeLog; // paths replaced, in order

    bool exists(const std::string& path) override { return files.count(path) > 0 || unreadable.count(path) > 0; }
    std::optional<std::string> readWholeFile(const std::string& path) override {
        readsLocked.push_back(locksHeld > 0);
        if (files.count(path) == 0 || unreadable.count(path) || failingReads.count(path)) return std::nullopt;
        return files.at(path);
    }
    // Hands the file out in pieces of a few bytes, so that readers meet every boundary.
    struct PieceReader final : FileReader {
        std::string contents;
        bool fails;
        std::size_t at = 0;
        PieceReader(std::string bytes, bool failing) : contents(std::move(bytes)), fails(failing) {}
        std::optional<std::size_t> read(char* buffer, std::size_t size) override {
            if (fails) return std::nullopt;
            const std::size_t count = std::min({size, contents.size() - at, std::size_t{7}});
            std::copy_n(contents.data() + at, count, buffer);
            at += count;
            return count;
        }
    };
    OpenedFile openForReading(const std::string& path) override {
        readsLocked.push_back(locksHeld > 0);
        if (unreadable.count(path)) return {FileOpening::unreadable, nullptr};
        if (files.count(path) == 0) return {FileOpening::missing, nullptr};
        return {FileOpening::opened, std::make_unique<PieceReader>(files.at(path), failingReads.count(path) > 0)};
    }
    struct MemoryReplacement final : ReplacementFile {
        MemoryFileSystem& system;
        std::string path, bytes;
        MemoryReplacement(MemoryFileSystem& owner, std::string target) : system(owner), path(std::move(target)) {}
        bool write(std::string_view more) override {
            bytes += more;
            return true;
        }
        bool commit() override {
            system.files[path] = bytes;
            system.writeLog.push_back(path);
            return true;
        }
    };
    std::unique_ptr<ReplacementFile> startReplacing(const std::string& path, const std::string&) override {
        writesLocked.push_back(locksHeld > 0);
        if (failWrites) return nullptr;
        return std::make_unique<MemoryReplacement>(*this, path);
    }
    bool removeFile(const std::string& path) override {
        if (failWrites) return false;
        files.erase(path);
        return true;
    }
    bool createFolders(const std::string&) override { return !failWrites; }

    // A folder exists when it holds a file; names end with the separator.
    std::set<std::string> unlistableFolders;

    FolderListing listFiles(const std::string& folder) override {
        if (unlistableFolders.count(folder)) return {FolderStatus::unreadable, {}};
        FolderListing listing{FolderStatus::missing, {}};
        const std::string prefix = folder.ends_with('\\') || folder.ends_with('/') ? folder : folder + '\\';
        for (const auto& [path, contents] : files) {
            if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
            listing.status = FolderStatus::listed;
            const std::string name = path.substr(prefix.size());
            if (name.find_first_of("\\/") == std::string::npos) listing.fileNames.push_back(name);
        }
        return listing;
    }
    std::optional<std::string> readFirstBytes(const std::string& path, std::size_t count) override {
        auto contents = readWholeFile(path);
        if (contents) contents->resize(std::min(count, contents->size()));
        return contents;
    }

    // Whether each whole read and each replace ran while the folder's lock was held.
    bool lockAvailable = true;
    bool lockBusy = false; // another copy holds it
    int locksHeld = 0;
    std::vector<bool> readsLocked, writesLocked;

    struct CountedLock final : FolderLock {
        int& held;
        explicit CountedLock(int& count) : held(++count) {}
        ~CountedLock() override { --held; }
    };
    FolderLockResult lockFolder(const std::string&, std::chrono::milliseconds) override {
        if (!lockAvailable) return {};
        if (lockBusy) return {FolderLockStatus::busy, nullptr};
        return {FolderLockStatus::held, std::make_unique<CountedLock>(locksHeld)};
    }
};

class MemoryRegistry final : public Registry {
public:
    struct Value {
        std::uint32_t type;
        std::string data;
    };
    // Keys as "root\path", and value names, as the program spells them.
    std::map<std::string, std::map<std::string, Value>> keys;
    bool failWrites = false;
    // As Windows treats a standard user: HKEY_LOCAL_MACHINE may be queried, not written.
    bool denyMachineWrites = false;

    static std::string keyName(RegistryRoot root, std::string_view path) {
        return std::to_string(static_cast<std::uint32_t>(root)) + '\\' + std::string(path);
    }

    void set(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t type, std::string data) {
        keys[keyName(root, path)][std::string(name)] = {type, std::move(data)};
    }
    std::optional<Value> get(RegistryRoot root, std::string_view path, std::string_view name) const {
        const auto key = keys.find(keyName(root, path));
        if (key == keys.end()) return std::nullopt;
        const auto value = key->second.find(std::string(name));
        if (value == key->second.end()) return std::nullopt;
        return value->second;
    }

    RegistryRead readValue(RegistryRoot root, std::string_view path, std::string_view name, KeyOpening opening,
                           std::size_t bufferSize) override {
        const bool denied = denyMachineWrites && root == RegistryRoot::localMachine && opening != KeyOpening::queryOnly;
        if (denied || keys.count(keyName(root, path)) == 0) return {};
        const auto value = get(root, path, name);
        if (!value) return {RegistryReadStatus::valueMissing, 0, {}};
        if (value->data.size() > bufferSize) return {RegistryReadStatus::tooLarge, 0, {}};
        return {RegistryReadStatus::ok, value->type, value->data};
    }
    RegistryWriteStatus writeStringValue(RegistryRoot root, std::string_view path, std::string_view name,
                                         std::string_view bytes) override {
        if (denyMachineWrites && root == RegistryRoot::localMachine) return RegistryWriteStatus::accessDenied;
        if (failWrites) return RegistryWriteStatus::failed;
        set(root, path, name, RegistryType::text, std::string(bytes));
        return RegistryWriteStatus::written;
    }
    RegistryWriteStatus removeValue(RegistryRoot root, std::string_view path, std::string_view name) override {
        if (denyMachineWrites && root == RegistryRoot::localMachine) return RegistryWriteStatus::accessDenied;
        if (failWrites) return RegistryWriteStatus::failed;
        if (const auto key = keys.find(keyName(root, path)); key != keys.end()) key->second.erase(std::string(name));
        return RegistryWriteStatus::written;
    }
    std::string placeOf(RegistryRoot root, std::string_view path) override {
        return (root == RegistryRoot::currentUser ? "HKCU\\" : "HKLM\\") + std::string(path);
    }
};

class FixedClock final : public Clock {
public:
    LocalDateTime moment;
    explicit FixedClock(LocalDateTime at) : moment(at) {}
    LocalDateTime now() override { return moment; }
    // The local clock is UTC's.
    std::int64_t utcSeconds() override {
        return dayNumberOf(moment.date) * 86400 + moment.hour * 3600 + moment.minute * 60 + moment.second;
    }
};

// Keeps each box's text; the end-to-end runs look for the boxes by their title.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    std::vector<std::string> shown;
    void show(const std::string& text, const std::string&) override { shown.push_back(text); }
};

class RecordingConsole final : public Console {
public:
    std::vector<std::string> errors;
    std::string written;
    void write(std::string_view text) override { written += text; }
    void writeError(std::string_view line) override { errors.emplace_back(line); }
};

class FakePlatformServices final : public PlatformServices {
public:
    std::uint32_t platform = 2;
    std::vector<bool> runningStates; // each setScreenSaverRunning call

    std::uint32_t platformId() override { return platform; }
    void setScreenSaverRunning(bool running) override { runningStates.push_back(running); }
    // The end-to-end runs change the password.
    bool changePassword(std::string_view, std::int32_t) override { return true; }
};

// Gives its answers in order, then "no answer", and keeps each request.
class ScriptedLinkFetcher final : public LinkFetcher {
public:
    std::vector<FetchAnswer> answers;
    std::vector<FetchRequest> requests;

    FetchAnswer fetch(const FetchRequest& request) override {
        requests.push_back(request);
        if (requests.size() > answers.size()) return failedFetch(FetchProblem::noAnswer);
        return answers[requests.size() - 1];
    }
};

// A calendar's text holding these events, each given by its properties' lines.
inline std::string calendarOf(const std::vector<std::string>& events) {
    std::string text = "BEGIN:VCALENDAR\r\n";
    for (const std::string& event : events) text += "BEGIN:VEVENT\r\n" + event + "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

// The whole platform in memory: files and settings under C:\Almanix (or the
// paths given), month/day/year short dates, and a clock at 10:59:30 on Sunday
// 6 December 2026.
struct FakeSystem {
    MemoryFileSystem files;
    MemoryRegistry registry;
    DatePattern shortDate{{DatePattern::Field::month, DatePattern::Field::day, DatePattern::Field::year}, '/'};
    FixedClock clock{{{2026, 12, 6}, 10, 59, 30}};
    RecordingMessageBoxes messages;
    FakePlatformServices services;
    RecordingConsole console;
    ScriptedLinkFetcher links;
    KnownRuleTimeZones zones{"UTC"};
    Platform platform;
    SourceDescriptions calendarDescriptions{platform.sourceServices(), clock};
    SetupServices setup{platform.eventStore(), registry, messages, calendarDescriptions};
    EventStore events = platform.eventStore();
    const std::string eventFile = "C:\\Almanix\\events.dat";

    explicit FakeSystem(DataPaths paths = {"C:\\Almanix", '\\', "C:\\Almanix\\Pics"})
        : platform{files,    registry, shortDate,        clock, messages,
                   services, console,  std::move(paths), links, {"C:\\Users\\Ann\\AppData\\Local\\Almanix", '\\'},
                   zones} {}
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    // A setting's text as stored under the settings key, when there is one.
    std::optional<std::string> stored(const char* valueName) const {
        const auto value = registry.get(RegistryRoot::localMachine, kSettingsKeyPath, valueName);
        return value ? std::optional(value->data) : std::nullopt;
    }
};

} // namespace almanix::testing
