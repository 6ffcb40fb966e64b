#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "events/event_store.h"

namespace almanix {

enum class EventFileStatus { read, unreadable, missing };

struct EventFileText {
    EventFileStatus status = EventFileStatus::missing;
    std::string text; // the whole file, when it was read
};

struct EventList {
    EventFileStatus status = EventFileStatus::missing;
    std::vector<std::string> items;
};

// The event file's bytes; a file that cannot be opened counts as missing.
EventFileText readEventFile(EventStore& store);

// The lines of an event file: each ends at CR LF; text after the last CR LF is a last line.
std::vector<std::string_view> eventFileLines(std::string_view fileText);

// dateText + " " + the English day name + " " + content.
std::string makeListItem(std::string_view dateText, int weekday, std::string_view content);

// Each stored line's list item, in file order, without its leading "#". Empty
// lines hold no event and are skipped.
EventList loadEventList(EventStore& store);

// Writes "#" + item + CR LF for every item, replacing the whole file at once, so
// that a failure leaves the old file whole. False when the file could not be written.
bool saveEventList(EventStore& store, const std::vector<std::string>& items);

} // namespace almanix
