#pragma once

#include "agenda/source_reading.h"
#include "calendars/kept_copy.h"
#include "calendars/link_fetcher.h"
#include "common/calendar_date.h"
#include "common/console.h"
#include "common/data_paths.h"
#include "common/file_system.h"
#include "common/message_box.h"
#include "common/platform_services.h"
#include "events/event_store.h"
#include "events/short_date.h"
#include "settings/registry.h"

namespace almanix {

// Everything the program uses of its system. Each build makes one in main and
// hands it to whatever it opens.
struct Platform {
    FileSystem& files;
    Registry& registry;
    ShortDate& shortDate;
    Clock& clock;
    MessageBoxes& messages;
    PlatformServices& services;
    Console& console;
    DataPaths paths;
    // Calendar links: fetched off the GUI thread, their kept copies in the cache folder.
    LinkFetcher& linkFetcher;
    CacheFolder cacheFolder;
    TimeZones& timeZones;

    EventStore eventStore() { return {files, paths, shortDate, clock}; }
    SourceServices sourceServices() { return {files, timeZones, linkFetcher, cacheFolder}; }
};

} // namespace almanix
