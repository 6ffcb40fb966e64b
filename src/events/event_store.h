#pragma once

#include "common/calendar_date.h"
#include "common/data_paths.h"
#include "common/file_system.h"
#include "events/short_date.h"

namespace almanix {

// What the event file and the due-event check need from the platform.
struct EventStore {
    FileSystem& files;
    DataPaths paths;
    ShortDate& shortDate;
    Clock& clock;
};

} // namespace almanix
