#pragma once

#include <cstdint>
#include <optional>

#include "common/ending_deadline.h"
#include "saver/saver_window.h"
#include "startup/platform.h"

namespace almanix {

// Each opens the saver window and starts the ending's count when the window
// goes, so that nothing a worker does holds the process after it.

// Opens the saver window full screen. False when the saver cannot run; the
// user has been told why.
bool openSaverFullScreen(Platform& platform, const SaverOptions& options, EndingDeadline& ending);

// Opens the saver inside the X11 window hostWindow, sized to its client area.
// It ends when that window goes away; when there is no such window, nothing opens.
bool openSaverPreview(Platform& platform, std::int32_t hostWindow, const SaverOptions& options, EndingDeadline& ending);

// Opens the saver inside the X11 window a saver daemon gave, over the whole of
// it, or on the root window when there is none. False, after a line on the
// console, when that window does not exist.
bool openSaverInDaemonWindow(Platform& platform, std::optional<std::uint32_t> daemonWindow, const SaverOptions& options,
                             EndingDeadline& ending);

} // namespace almanix
