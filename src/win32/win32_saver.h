#pragma once

#include <windows.h>
#include <memory>

#include "saver/saver_window.h"
#include "startup/platform.h"
#include "win32/gdi_scene_image.h"
#include "win32/wic_picture_loader.h"
#include "win32/win32_saver_window.h"

namespace almanix {

// One run of the saver: its window and the parts that are the window's own
// (chance, the moving image, the picture loader, the presenter). Files,
// settings and messages come from the platform.
class Win32Saver {
public:
    Win32Saver(const SaverOptions& options, Platform& platform);

    // Creates the window and loads the first scene, not yet shown. False when
    // the saver cannot run; the user has been told why.
    bool load();
    Win32SaverWindow& window() { return window_; }

private:
    SaverOptions options_;
    Platform& platform_;
    SeededRandom random_;
    GdiSceneImage movingImage_;
    WicPictureLoader pictures_{movingImage_};
    DueCheckThread dueCheck_;
    Win32SaverWindow window_{movingImage_, pictures_};
    SaverWindow presenter_;
};

// The saver full screen; null when it cannot run, after telling the user why.
std::unique_ptr<Win32Saver> openSaverFullScreen(const SaverOptions& options, Platform& platform);

// The saver inside the host window, sized to its client area; it ends when the
// host goes. Null when it cannot run, after telling the user why.
std::unique_ptr<Win32Saver> openSaverPreview(HWND host, const SaverOptions& options, Platform& platform);

} // namespace almanix
