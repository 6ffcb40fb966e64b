#pragma once

#include <string>
#include <vector>

#include "settings/registry.h"
#include "settings/settings_store.h"

namespace almanix {

// The calendars whose events the saver announces beside the event file's: each
// a .ics file, a folder of them, or a link, as the user typed it. They are kept
// under the settings key as Calendar1, Calendar2, ... in order.
std::vector<std::string> loadCalendarSources(Registry& registry);

// Stores the list in order and removes the values after it, in the key that
// loadCalendarSources reads. On a failure the old list is put back as far as
// that can be done, and the write says where and why.
SettingWrite storeCalendarSources(Registry& registry, const std::vector<std::string>& sources);

} // namespace almanix
