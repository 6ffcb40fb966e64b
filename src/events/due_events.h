#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "events/event_file.h"
#include "events/event_store.h"

namespace almanix {

struct DueEvents {
    EventFileStatus file = EventFileStatus::missing;
    int count = 0;
    // The list items of the due events in file order, each preceded by CR LF.
    std::string text;
};

// What one pass over an event file's text finds.
struct EventScan {
    int dueCount = 0;
    std::string dueText; // as DueEvents::text
    std::string keptText; // the file without its expired events, every line ending in CR LF
};

// Sorts every line of the text by its date against today: expired lines are
// left out of keptText, due ones (0 to daysBeforeEvent days ahead) are counted
// and added to dueText, and lines the program never writes, or whose date
// cannot be read in agreement with their day name, are kept unchanged and
// never announced.
EventScan scanEvents(std::string_view fileText, std::int64_t today, std::int16_t daysBeforeEvent, ShortDate& shortDate);

// Finds the events due within daysBeforeEvent days and rewrites the event file
// without the events whose date has passed. A missing or unreadable file is
// neither counted nor written; a failed rewrite leaves the old file whole.
DueEvents checkDueEvents(EventStore& store, std::int16_t daysBeforeEvent);

} // namespace almanix
