#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "calendars/calendar_reading.h"
#include "calendars/kept_copy.h"
#include "calendars/link_fetcher.h"
#include "calendars/link_reading.h"
#include "common/file_system.h"

namespace almanix {

// What the reading of one calendar source gave.
struct SourceReading {
    bool read = false; // it gave a calendar, fresh or kept
    std::size_t eventCount = 0;
    std::vector<CalendarItem> items; // due in the window, in agenda order
    std::string state; // a few words: "12 events", "not found", "kept copy from 5 Dec 14:02: ..."
    bool serverDue = false; // a link read from its kept copy whose server is due to be asked
};

// What reading a source needs of the system.
struct SourceServices {
    FileSystem& files;
    TimeZones& zones;
    LinkFetcher& fetcher;
    CacheFolder cache;
};

// A calendar file, or a folder's *.ics files (not those of its sub-folders),
// or a link: its kept copy alone with LinkFetching::never, otherwise asked of
// the server when due. Never writes a file of the user's.
SourceReading readSource(const std::string& source, SourceServices& services, const AgendaWindow& window,
                         const LinkMoment& now, LinkFetching fetching);

// How a source is named where the user reads it: a link by its host alone.
std::string displayNameOf(const std::string& source);

} // namespace almanix
