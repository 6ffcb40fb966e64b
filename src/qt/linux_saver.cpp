#include "qt/linux_saver.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

#include "common/calendar_date.h"
#include "events/event_store.h"
#include "qt/linux_platform.h"
#include "qt/linux_shell.h"
#include "qt/posix_file_system.h"
#include "qt/qt_saver_window.h"
#include "qt/qt_scene_image.h"
#include "saver/saver_window.h"
#include "settings/reg_file_registry.h"

namespace almanix {

namespace {

// Everything the saver window works with; it lives as long as the window.
struct SaverParts {
    explicit SaverParts(double dotsPerInch) : picture(dotsPerInch) {}

    PosixFileSystem files;
    RegFileRegistry registry{files, linuxConfigFolder()};
    DatePattern shortDate = localeShortDate();
    SystemClock clock;
    EventStore events{files, linuxDataPaths(), shortDate, clock};
    SeededRandom random;
    LinuxPlatformServices platform;
    QtMessageBox messages;
    QtSceneImage picture;
    std::unique_ptr<SaverWindow> presenter;
};

// The saver window, loaded but not shown; null when its load failed.
SaverWidget* loadSaverWindow() {
    qtApplication();
    const QScreen* screen = QGuiApplication::primaryScreen();
    auto* parts = new SaverParts(screen->logicalDotsPerInchY());
    const QSize screenSize = screen->geometry().size();
    auto* window = new SaverWidget(parts->picture.image(), {screenSize.width(), screenSize.height()});
    // The process ends with the saver window, also when it lived in a preview
    // window, where Qt does not count it as a last window.
    QObject::connect(window, &QObject::destroyed, [parts] {
        delete parts;
        QCoreApplication::quit();
    });
    parts->presenter = std::make_unique<SaverWindow>(SaverWindowServices{
        *window, parts->picture, parts->picture, parts->random, parts->registry, parts->events, parts->platform,
        parts->messages, parts->events.paths.folder + "/pics"});
    window->attach(*parts->presenter);
    if (!parts->presenter->Form_Load()) {
        delete window;
        return nullptr;
    }
    return window;
}

xcb_connection_t* x11Connection() {
    qtApplication();
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::optional<QSize> x11WindowSize(xcb_connection_t* connection, std::uint32_t window) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error);
    std::free(error);
    if (!geometry) return std::nullopt;
    const QSize size(geometry->width, geometry->height);
    std::free(geometry);
    return size;
}

// Closes the preview when the window it lives in is destroyed, and with it ours.
class HostWatcher final : public QAbstractNativeEventFilter {
public:
    HostWatcher(xcb_connection_t* connection, std::uint32_t host, SaverWidget* window)
        : host_(host), window_(window) {
        // Add structure events of the host to whatever this client already hears from it.
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, host), nullptr);
        const std::uint32_t mask =
            (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        std::free(attributes);
        xcb_change_window_attributes(connection, host, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
        QObject::connect(window, &QObject::destroyed, [this] {
            qApp->removeNativeEventFilter(this);
            delete this;
        });
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (destroyed->window == host_) QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
        return false;
    }

private:
    std::uint32_t host_;
    SaverWidget* window_;
};

} // namespace

bool openSaverFullScreen() {
    SaverWidget* window = loadSaverWindow();
    if (!window) return false;
    window->setWindowTitle(QStringLiteral("Almanix"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setGeometry(QGuiApplication::primaryScreen()->geometry());
    window->showFullScreen();
    window->raise();
    window->activateWindow();
    return true;
}

WindowRect x11ClientRect(std::int32_t window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) return {};
    const auto size = x11WindowSize(connection, static_cast<std::uint32_t>(window));
    if (!size) return {};
    return {0, 0, size->width(), size->height()};
}

bool openSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) {
    xcb_connection_t* connection = x11Connection();
    const auto host = static_cast<std::uint32_t>(parentWindow);
    if (!connection || !x11WindowSize(connection, host)) {
        // Already gone, or never there: the preview ends before it begins.
        std::fprintf(stderr, "almanix: there is no X11 window %d to show the preview in\n", parentWindow);
        return true;
    }
    SaverWidget* window = loadSaverWindow();
    if (!window) return false;
    window->setWindowTitle(QStringLiteral("Preview"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window->winId();
    // The host stays as long as the process: our window is its child.
    window->windowHandle()->setParent(QWindow::fromWinId(static_cast<WId>(host)));
    window->setGeometry(0, 0, parentRect.right, parentRect.bottom);
    qApp->installNativeEventFilter(new HostWatcher(connection, host, window));
    window->show();
    return true;
}

} // namespace almanix
