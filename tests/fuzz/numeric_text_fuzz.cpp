// Any stored text loads within the settings' ranges, and a text the events
// dialog accepts as a whole number loads as that number, limited to the range.
#include <algorithm>
#include <cstdlib>

#include "settings/numeric_text.h"
#include "settings/settings_store.h"
#include "support/fakes.h"

using namespace almanix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    testing::MemoryRegistry registry;
    for (const char* name : {kMoveSpeedName, kDaysBeforeEventName})
        registry.set(RegistryRoot::localMachine, kSettingsKeyPath, name, RegistryType::text, text);
    const Settings settings = loadSettings(registry);
    if (settings.moveSpeed < kMoveSpeedLowest || settings.moveSpeed > kMoveSpeedHighest) std::abort();
    if (settings.daysBeforeEvent < kDaysBeforeEventLowest || settings.daysBeforeEvent > kDaysBeforeEventHighest)
        std::abort();

    // Longer values do not fit the read buffer and read as missing.
    if (const auto whole = wholeNumberOf(text); whole && size <= 1024) {
        if (settings.moveSpeed != std::clamp(*whole, kMoveSpeedLowest, kMoveSpeedHighest)) std::abort();
        if (settings.daysBeforeEvent != std::clamp(*whole, kDaysBeforeEventLowest, kDaysBeforeEventHighest))
            std::abort();
    }
    return 0;
}
