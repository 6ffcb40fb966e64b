#pragma once

#include <cstdint>

#include "saver/saver_window.h"
#include "startup/platform.h"

namespace almanix {

// Opens the saver window full screen. False when the saver cannot run; the
// user has been told why.
bool openSaverFullScreen(Platform& platform, const SaverOptions& options);

// Opens the saver inside the X11 window hostWindow, sized to its client area.
// It ends when that window goes away; when there is no such window, nothing opens.
bool openSaverPreview(Platform& platform, std::int32_t hostWindow, const SaverOptions& options);

} // namespace almanix
