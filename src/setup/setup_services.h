#pragma once

#include <string>

#include "common/message_box.h"
#include "events/event_store.h"
#include "settings/registry.h"

namespace almanix {

// How the Calendars dialog lists a calendar source: its name, a link by its
// host alone since the rest is a secret, and its state in a few words.
class CalendarDescriptions {
public:
    virtual ~CalendarDescriptions() = default;
    virtual std::string listText(const std::string& source) = 0;
};

// What the dialogs of the setup side read and write through.
struct SetupServices {
    EventStore events;
    Registry& registry;
    MessageBoxes& messages;
    CalendarDescriptions& calendars;
};

} // namespace almanix
