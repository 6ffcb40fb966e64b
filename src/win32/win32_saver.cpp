#include "win32/win32_saver.h"

#include <cstdio>
#include <memory>
#include <windows.h>

#include "common/calendar_date.h"
#include "events/event_store.h"
#include "saver/saver_window.h"
#include "win32/gdi_scene_image.h"
#include "win32/wic_picture_loader.h"
#include "win32/win32_file_system.h"
#include "win32/win32_platform.h"
#include "win32/win32_registry.h"
#include "win32/win32_saver_window.h"
#include "win32/win32_short_date.h"

namespace almanix {

namespace {

// Everything the saver window works with; it lives as long as the window.
struct SaverParts {
    Win32FileSystem files;
    Win32Registry registry;
    Win32ShortDate shortDate;
    SystemClock clock;
    EventStore events{files, win32DataPaths(), shortDate, clock};
    SeededRandom random;
    Win32PlatformServices platform;
    Win32MessageBox messages;
    GdiSceneImage movingImage;
    WicPictureLoader pictures{movingImage};
    Win32SaverWindow window{movingImage};
    std::unique_ptr<SaverWindow> presenter;
};

// The saver window, loaded but not shown; null when it could not be made or
// its load failed.
Win32SaverWindow* loadSaverWindow(SaverPlacement placement) {
    auto* parts = new SaverParts;
    Win32SaverWindow& window = parts->window;
    if (!window.create(placement)) {
        parts->messages.show("The saver cannot start: its window cannot be created.", kApplicationTitle);
        switchSystemKeys(parts->platform, "enable");
        delete parts;
        return nullptr;
    }
    window.whenGone([parts] { delete parts; });
    parts->presenter = std::make_unique<SaverWindow>(SaverWindowServices{
        window, parts->movingImage, parts->pictures, parts->random, parts->registry, parts->events, parts->platform,
        parts->messages, parts->events.paths.folder + "\\Pics"});
    window.attach(*parts->presenter);
    if (!parts->presenter->Form_Load()) {
        DestroyWindow(window.handle());
        return nullptr;
    }
    return &window;
}

} // namespace

bool openSaverFullScreen() {
    Win32SaverWindow* window = loadSaverWindow(SaverPlacement::fullScreen);
    if (!window) return false;
    window->showFullScreen();
    return true;
}

bool openSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) {
    const HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(parentWindow));
    if (!IsWindow(parent)) {
        // Already gone, or never there: the preview ends before it begins.
        std::fprintf(stderr, "Almanix: there is no window %d to show the preview in\n", parentWindow);
        return true;
    }
    Win32SaverWindow* window = loadSaverWindow(SaverPlacement::preview);
    if (!window) return false;
    window->embedIn(parent, parentRect);
    return true;
}

} // namespace almanix
