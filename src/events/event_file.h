#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "events/event_store.h"

namespace almanix {

inline constexpr std::string_view kLineEnd = "\r\n";

// Result of reading the event file: 0 read, -1 present but unreadable, -2 missing.
struct EventListLoad {
    int status = 0;
    std::vector<std::string> items;
};

// The lines of an event file: each ends at CR LF; text after the last CR LF is a last line.
std::vector<std::string_view> eventFileLines(std::string_view fileText);

// dateText + " " + the English day name + " " + content.
std::string makeListItem(std::string_view dateText, int weekday, std::string_view content);

// Each stored line's list item, in file order, without its leading "#". Empty
// lines hold no event and are skipped.
EventListLoad loadEventList(EventStore& store);

// Writes "#" + item + CR LF for every item, replacing the whole file at once, so
// that a failure leaves the old file whole. False when the file could not be written.
bool saveEventList(EventStore& store, const std::vector<std::string>& items);

} // namespace almanix
