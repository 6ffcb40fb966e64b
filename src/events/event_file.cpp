#include "events/event_file.h"

namespace almanix {

std::vector<std::string_view> eventFileLines(std::string_view fileText) {
    std::vector<std::string_view> lines;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find(kLineEnd);
        if (end == std::string_view::npos) {
            lines.push_back(fileText);
            break;
        }
        lines.push_back(fileText.substr(0, end));
        fileText.remove_prefix(end + kLineEnd.size());
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

EventListLoad loadEventList(EventStore& store) {
    EventListLoad load;
    const std::string path = store.paths.eventFile();
    if (!store.files.canOpenForReading(path)) {
        load.status = -2;
        return load;
    }
    const auto text = store.files.readWholeFile(path);
    if (!text) {
        load.status = -1;
        return load;
    }
    for (std::string_view line : eventFileLines(*text)) {
        if (line.empty()) continue;
        // A line without its marker keeps all of its text.
        if (line.front() == '#') line.remove_prefix(1);
        load.items.emplace_back(line);
    }
    return load;
}

bool saveEventList(EventStore& store, const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += '#';
        text += item;
        text += kLineEnd;
    }
    return store.files.replaceFile(store.paths.eventFile(), store.paths.temporaryEventFile(), text);
}

} // namespace almanix
