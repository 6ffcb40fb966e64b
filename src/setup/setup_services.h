#pragma once

#include "common/message_box.h"
#include "events/event_store.h"
#include "settings/registry.h"

namespace almanix {

// What the dialogs of the setup side read and write through.
struct SetupServices {
    EventStore events;
    Registry& registry;
    MessageBoxes& messages;
};

} // namespace almanix
