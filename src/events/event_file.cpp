#include "events/event_file.h"

#include <algorithm>
#include <map>

#include "common/text_lines.h"

namespace almanix {

namespace {

EventFileStatus statusOf(FileOpening opening) {
    switch (opening) {
    case FileOpening::opened: return EventFileStatus::read;
    case FileOpening::missing: return EventFileStatus::missing;
    case FileOpening::unreadable: return EventFileStatus::unreadable;
    case FileOpening::notAFile: return EventFileStatus::notAFile;
    }
    return EventFileStatus::unreadable;
}

std::vector<EventLine> linesOfText(std::string_view text) {
    std::vector<EventLine> lines;
    for (std::string_view line : eventFileLines(text)) {
        if (line.starts_with('#'))
            lines.push_back({EventLineKind::event, std::string(line.substr(1))});
        else
            lines.push_back({EventLineKind::kept, std::string(line)});
    }
    return lines;
}

EventList eventListOf(const EventFileText& file) {
    DecodedText decoded = decodeFile(file.text);
    return {file.status, decoded.encoding, linesOfText(decoded.text)};
}

} // namespace

EventFileText readEventFile(EventStore& store) {
    OpenedFile file = store.files.openForReading(store.paths.eventFile());
    if (file.status != FileOpening::opened) return {statusOf(file.status), {}};
    EventFileText read{EventFileStatus::read, {}};
    std::string buffer(1 << 16, '\0');
    while (true) {
        const auto count = file.reader->read(buffer.data(), buffer.size());
        if (!count) return {EventFileStatus::unreadable, {}};
        if (*count == 0) return read;
        read.text.append(buffer.data(), *count);
    }
}

std::string eventFileProblem(EventFileStatus status, const std::string& path) {
    switch (status) {
    case EventFileStatus::read:
    case EventFileStatus::missing: return {};
    case EventFileStatus::unreadable: return "The event file " + path + " cannot be read.";
    case EventFileStatus::notAFile: return "The event file " + path + " is not a file.";
    }
    return {};
}

std::vector<std::string_view> eventFileLines(std::string_view fileText) {
    std::vector<std::string_view> lines;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back(fileText);
            break;
        }
        const bool carriageReturn = end > 0 && fileText[end - 1] == '\r';
        lines.push_back(fileText.substr(0, carriageReturn ? end - 1 : end));
        fileText.remove_prefix(end + 1);
    }
    return lines;
}

std::string makeListItem(std::string_view dateText, int weekday, std::string_view content) {
    std::string item(dateText);
    item += ' ';
    item += dayNameOf(weekday);
    item += ' ';
    item += content;
    return item;
}

EventList loadEventList(EventStore& store) { return eventListOf(readEventFile(store)); }

std::string eventFileBytes(const std::vector<EventLine>& lines, TextEncoding encoding) {
    std::string text;
    for (const EventLine& line : lines) {
        if (line.kind == EventLineKind::event) text += '#';
        text += line.text;
        text += kLineEnd;
    }
    return encodeFile(text, encoding);
}

void removeStaleTemporaryFiles(EventStore& store) {
    const FolderListing listing = store.files.listFiles(store.paths.folder + store.paths.separator);
    for (const std::string& name : listing.fileNames)
        if (name.starts_with(DataPaths::kTemporaryEventName))
            store.files.removeFile(store.paths.folder + store.paths.separator + name);
}

bool replaceEventFile(EventStore& store, std::string_view bytes) {
    removeStaleTemporaryFiles(store);
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), bytes);
}

bool saveEventList(EventStore& store, const std::vector<EventLine>& lines, TextEncoding encoding) {
    // Waits for a due check of another copy, so that its rewrite cannot undo this one.
    const FolderLockResult lock = store.files.lockFolder(store.paths.folder, kDialogLockPatience);
    if (lock.status == FolderLockStatus::busy) return false;
    const std::string bytes = eventFileBytes(lines, encoding);
    if (lock.status == FolderLockStatus::held) return replaceEventFile(store, bytes);
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), bytes);
}

std::vector<EventLine> applyEdits(const std::vector<EventLine>& loaded, const std::vector<EventLine>& edited,
                                  std::vector<EventLine> current) {
    using Key = std::pair<EventLineKind, std::string>;
    std::map<Key, int> unmatched; // loaded lines the edits no longer hold: deleted
    for (const EventLine& line : loaded) ++unmatched[{line.kind, line.text}];
    std::vector<bool> added(edited.size(), false);
    for (std::size_t index = 0; index < edited.size(); ++index) {
        int& count = unmatched[{edited[index].kind, edited[index].text}];
        if (count > 0)
            --count;
        else
            added[index] = true;
    }
    for (const auto& [key, count] : unmatched) {
        for (int left = count; left > 0; --left) {
            const auto found = std::find(current.begin(), current.end(), EventLine{key.first, key.second});
            if (found == current.end()) break; // already gone from the file
            current.erase(found);
        }
    }
    // Each added line goes after the one before it in the edits, where that
    // one still stands; first when it was first; last when its place is gone.
    std::size_t place = current.size();
    for (std::size_t index = 0; index < edited.size(); ++index) {
        if (!added[index]) continue;
        if (index == 0) {
            place = 0;
        } else if (!added[index - 1]) {
            const auto anchor = std::find(current.begin(), current.end(), edited[index - 1]);
            place = anchor == current.end() ? current.size() : static_cast<std::size_t>(anchor - current.begin()) + 1;
        }
        current.insert(current.begin() + static_cast<std::ptrdiff_t>(place), edited[index]);
        ++place;
    }
    return current;
}

EventSave saveEditedEventList(EventStore& store, const EventList& loaded, const std::vector<EventLine>& edited) {
    EventSave save;
    const FolderLockResult lock = store.files.lockFolder(store.paths.folder, kDialogLockPatience);
    if (lock.status == FolderLockStatus::busy) {
        save.status = EventSaveStatus::busy;
        return save;
    }
    save.before = readEventFile(store);
    if (save.before.status == EventFileStatus::unreadable || save.before.status == EventFileStatus::notAFile) {
        save.status = EventSaveStatus::unreadable;
        return save;
    }
    const EventList current = eventListOf(save.before);
    const bool changed =
        current.status != loaded.status || current.encoding != loaded.encoding || current.lines != loaded.lines;
    if (changed) {
        save.merged = true;
        const TextEncoding encoding = current.status == EventFileStatus::read ? current.encoding : loaded.encoding;
        save.written = eventFileBytes(applyEdits(loaded.lines, edited, current.lines), encoding);
    } else {
        save.written = eventFileBytes(edited, loaded.encoding);
    }
    const bool replaced =
        lock.status == FolderLockStatus::held
            ? replaceEventFile(store, save.written)
            : store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), save.written);
    save.status = replaced ? EventSaveStatus::saved : EventSaveStatus::failed;
    return save;
}

bool restoreEventFile(EventStore& store, const EventSave& save) {
    const FolderLockResult lock = store.files.lockFolder(store.paths.folder, kDialogLockPatience);
    if (lock.status == FolderLockStatus::busy) return false;
    const EventFileText now = readEventFile(store);
    if (now.status != EventFileStatus::read || now.text != save.written) return false;
    if (save.before.status != EventFileStatus::read) return store.files.removeFile(store.paths.eventFile());
    return replaceEventFile(store, save.before.text);
}

} // namespace almanix
