#pragma once

#include <cstdint>

#include "startup/startup_state.h"

namespace almanix {

// Opens the saver window full screen. False when the saver cannot run; the
// user has been told why.
bool openSaverFullScreen();

// Opens the saver inside the window parentWindow, sized to parentRect. It ends
// when that window goes away; when there is no such window, nothing opens.
bool openSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect);

} // namespace almanix
