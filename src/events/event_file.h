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

// One line of the event file: an event, stored as "#" and its list item, or a
// line the program never writes (no "#" first, an empty one included), which
// is kept as it stands.
enum class EventLineKind { event, kept };

struct EventLine {
    EventLineKind kind = EventLineKind::event;
    std::string text; // the list item of an event; the whole line otherwise

    friend bool operator==(const EventLine&, const EventLine&) = default;
};

struct EventList {
    EventFileStatus status = EventFileStatus::missing;
    std::vector<EventLine> lines; // in file order
};

// The event file's bytes; a file that cannot be opened counts as missing.
EventFileText readEventFile(EventStore& store);

// The lines of an event file: each ends at CR LF or at a lone LF, as an editor
// may write them; text after the last line end is a last line.
std::vector<std::string_view> eventFileLines(std::string_view fileText);

// dateText + " " + the English day name + " " + content.
std::string makeListItem(std::string_view dateText, int weekday, std::string_view content);

// Every line of the file, in file order, an event without its leading "#".
EventList loadEventList(EventStore& store);

// Writes every line, "#" + item for an event, each followed by CR LF, replacing
// the whole file at once, so that a failure leaves the old file whole. False
// when the file could not be written.
bool saveEventList(EventStore& store, const std::vector<EventLine>& lines);

// Puts the event file back as readEventFile found it: its bytes, or no file
// when there was none to read. False when that could not be done.
bool restoreEventFile(EventStore& store, const EventFileText& before);

} // namespace almanix
