#include "win32/win32_saver.h"

#include "settings/calendar_sources.h"
#include "win32/win32_file_system.h"
#include "win32/win32_time_zones.h"
#include "win32/winhttp_link_fetcher.h"

namespace almanix {

Win32Saver::Win32Saver(const SaverOptions& options, Platform& platform)
    : options_(options),
      platform_(platform),
      dueCheck_({std::make_unique<Win32FileSystem>(), platform.shortDate.copy(), std::make_unique<Win32Clock>(),
                 platform.paths, loadCalendarSources(platform.registry), std::make_unique<Win32TimeZones>(),
                 std::make_unique<WinHttpLinkFetcher>(), platform.cacheFolder}),
      presenter_(options, {window_, movingImage_, pictures_, dueCheck_, random_, platform.eventStore(),
                           platform.services, platform.messages, platform.console}) {
    window_.attach(presenter_);
    window_.attachDueCheck(dueCheck_);
}

bool Win32Saver::load() {
    if (!window_.create(options_.placement)) {
        platform_.messages.show("The saver cannot start: its window cannot be created.", kApplicationTitle);
        switchSystemKeys(platform_.services, options_.password, SystemKeys::enabled);
        return false;
    }
    if (presenter_.load()) return true;
    DestroyWindow(window_.handle());
    return false;
}

std::unique_ptr<Win32Saver> openSaverFullScreen(const SaverOptions& options, Platform& platform) {
    auto saver = std::make_unique<Win32Saver>(options, platform);
    if (!saver->load()) return nullptr;
    saver->window().showFullScreen();
    return saver;
}

std::unique_ptr<Win32Saver> openSaverPreview(HWND host, const SaverOptions& options, Platform& platform) {
    auto saver = std::make_unique<Win32Saver>(options, platform);
    if (!saver->load()) return nullptr;
    saver->window().embedIn(host);
    return saver;
}

} // namespace almanix
