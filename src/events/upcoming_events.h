#pragma once

#include <string>

#include "events/event_store.h"

namespace almanix {

// The list items of the events found due by the last check, each preceded by CR LF.
extern std::string gDueEventsText;

// Finds the events due within gDaysBeforeEvent days, fills gDueEventsText and
// rewrites the event file without the events whose date has passed. Returns the
// number of due events, -1 when the file cannot be read and -2 when it is missing.
int checkUpcomingEvents(EventStore& store);

bool fileExists(EventStore& store, const std::string& path);

// 0 with the file's bytes in text; -2 when the file is missing, -1 when it cannot be read.
int readWholeFile(EventStore& store, const std::string& path, std::string& text);

// Classifies every line of the file text, appends the due ones to gDueEventsText
// and writes the file back without the expired ones. Returns the due count; a
// failed write leaves the old file whole.
int scanEvents(EventStore& store, const std::string& fileText);

} // namespace almanix
