#include "startup/startup_state.h"

namespace almanix {

std::int32_t gRunMode = kRunModeNone;
std::string gWinVersion;
std::int16_t gUsePassword = 0;
std::int32_t gParentWindow = 0;
WindowRect gParentRect;

void resetStartupState() {
    gRunMode = kRunModeNone;
    gWinVersion.clear();
    gUsePassword = 0;
    gParentWindow = 0;
    gParentRect = {};
}

} // namespace almanix
