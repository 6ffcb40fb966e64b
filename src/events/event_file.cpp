#include "events/event_file.h"

#include "common/text_lines.h"

namespace almanix {

EventFileText readEventFile(EventStore& store) {
    const std::string path = store.paths.eventFile();
    if (!store.files.canOpenForReading(path)) return {EventFileStatus::missing, {}};
    auto text = store.files.readWholeFile(path);
    if (!text) return {EventFileStatus::unreadable, {}};
    return {EventFileStatus::read, std::move(*text)};
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

EventList loadEventList(EventStore& store) {
    const EventFileText file = readEventFile(store);
    EventList list{file.status, {}};
    for (std::string_view line : eventFileLines(file.text)) {
        if (line.starts_with('#'))
            list.lines.push_back({EventLineKind::event, std::string(line.substr(1))});
        else
            list.lines.push_back({EventLineKind::kept, std::string(line)});
    }
    return list;
}

bool saveEventList(EventStore& store, const std::vector<EventLine>& lines) {
    std::string text;
    for (const EventLine& line : lines) {
        if (line.kind == EventLineKind::event) text += '#';
        text += line.text;
        text += kLineEnd;
    }
    // Waits for a due check of another copy, so that its rewrite cannot undo this one.
    const auto lock = store.files.lockFolder(store.paths.folder);
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), text);
}

bool restoreEventFile(EventStore& store, const EventFileText& before) {
    const auto lock = store.files.lockFolder(store.paths.folder);
    if (before.status != EventFileStatus::read) return store.files.removeFile(store.paths.eventFile());
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), before.text);
}

} // namespace almanix
