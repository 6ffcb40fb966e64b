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
    std::vector<std::string_view> lines = splitAtLineEnds(fileText);
    // The line end closes a line; nothing after the last one is no line.
    if (lines.back().empty()) lines.pop_back();
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
        if (line.empty()) continue;
        // A line without its marker keeps all of its text.
        if (line.front() == '#') line.remove_prefix(1);
        list.items.emplace_back(line);
    }
    return list;
}

bool saveEventList(EventStore& store, const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += '#';
        text += item;
        text += kLineEnd;
    }
    // Waits for a due check of another copy, so that its rewrite cannot undo this one.
    const auto lock = store.files.lockFolder(store.paths.folder);
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), text);
}

} // namespace almanix
