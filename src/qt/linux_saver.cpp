#include "qt/linux_saver.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <xcb/xcb.h>

#include "qt/ending_signals.h"
#include "qt/posix_file_system.h"
#include "qt/qt_link_fetcher.h"
#include "qt/qt_saver_window.h"
#include "qt/qt_scene_image.h"
#include "qt/qt_time_zones.h"
#include "qt/x11_window_drawing.h"
#include "saver/saver_window.h"
#include "settings/calendar_sources.h"

namespace almanix {

namespace {

// What the saver window works with besides the platform; it lives as long as the window.
struct SaverParts {
    SaverParts(double dotsPerInch, const Platform& platform)
        : picture(dotsPerInch),
          dueCheck({std::make_unique<PosixFileSystem>(), platform.shortDate.copy(), std::make_unique<SystemClock>(),
                    platform.paths, loadCalendarSources(platform.registry), std::make_unique<QtTimeZones>(),
                    std::make_unique<QtLinkFetcher>(), platform.cacheFolder}) {
        // Answers are handed on from the event loop; none after the context goes.
        dueCheck.wakeWith([this] {
            QMetaObject::invokeMethod(
                &answerContext, [this] { dueCheck.deliverAnswers(); }, Qt::QueuedConnection);
        });
    }

    SeededRandom random;
    QtSceneImage picture;
    QObject answerContext;
    DueCheckThread dueCheck; // goes before the context it answers through
    std::unique_ptr<SaverWindow> presenter;
};

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

std::uint32_t rootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// Device pixels per logical pixel on the screen the saver shows on.
qreal screenScale() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

ImageSize imageSizeOf(const QSize& size) { return {size.width(), size.height()}; }

// Every monitor together in device pixels: the motion's bounds in full screen
// and in the preview. On X11 that is the root window's own size.
ImageSize desktopSize() {
    xcb_connection_t* connection = x11Connection();
    if (const auto root = connection ? x11WindowSize(connection, rootWindow(connection)) : std::nullopt)
        return imageSizeOf(*root);
    const QSizeF logical = QGuiApplication::primaryScreen()->virtualGeometry().size();
    return imageSizeOf((logical * screenScale()).toSize());
}

// The logical size that covers these device pixels.
QSize logicalSizeOf(const QSize& devicePixels) {
    const qreal scale = screenScale();
    return {static_cast<int>(std::ceil(devicePixels.width() / scale)),
            static_cast<int>(std::ceil(devicePixels.height() / scale))};
}

// Where the saver window shows: its place in logical pixels, and in device
// pixels the screen its motion keeps to and the window's own size.
struct SaverPlace {
    QScreen* screen;
    QRect place;
    ImageSize screenSize;
    ImageSize windowSize;
};

// The saver window at its place, loaded but not shown; null when its load failed.
SaverWidget* loadSaverWindow(Platform& platform, const SaverOptions& options, const SaverPlace& where,
                             EndingDeadline& ending) {
    const qreal scale = where.screen->devicePixelRatio();
    // The notice keeps its size in points: more device pixels at a larger scale.
    auto* parts = new SaverParts(where.screen->logicalDotsPerInchY() * scale, platform);
    auto* window = new SaverWidget(parts->picture.image(), where.screenSize, where.windowSize, scale);
    window->setScreen(where.screen);
    window->setGeometry(where.place);
    closeOnEndingSignals(*window);
    // The process ends with the saver window, also when it lived in a preview
    // window, where Qt does not count it as a last window.
    QObject::connect(window, &QObject::destroyed, [parts, &ending] {
        ending.start(EndingDeadline::kSaverLimit);
        delete parts;
        QCoreApplication::quit();
    });
    parts->presenter = std::make_unique<SaverWindow>(
        options, SaverWindowServices{*window, parts->picture, parts->picture, parts->dueCheck, parts->random,
                                     platform.eventStore(), platform.services, platform.messages, platform.console});
    window->attach(*parts->presenter);
    if (!parts->presenter->load()) {
        delete window;
        return nullptr;
    }
    return window;
}

// The saver inside an X11 window of that size in device pixels, over the whole
// of it; the preview's motion keeps to the whole screen, as in full screen.
SaverPlace insideWindowOf(const QSize& size) {
    return {QGuiApplication::primaryScreen(), QRect(QPoint(0, 0), logicalSizeOf(size)), desktopSize(),
            imageSizeOf(size)};
}

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Closes the preview when the window it lives in is destroyed, and with it ours.
class HostWatcher final : public QAbstractNativeEventFilter {
public:
    HostWatcher(xcb_connection_t* connection, std::uint32_t host, SaverWidget* window) : host_(host), window_(window) {
        // Add structure events of the host to whatever this client already hears from it.
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, host), nullptr);
        const std::uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
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

// Makes the window a child of the X11 window host, over the whole of it.
void embedIn(SaverWidget& window, std::uint32_t host, const QSize& hostSize) {
    window.winId();
    // The host stays as long as the process: our window is its child.
    window.windowHandle()->setParent(QWindow::fromWinId(static_cast<WId>(host)));
    window.setGeometry(QRect(QPoint(0, 0), logicalSizeOf(hostSize)));
}

} // namespace

bool openSaverFullScreen(Platform& platform, const SaverOptions& options, EndingDeadline& ending) {
    if (onWayland()) {
        // Wayland places no window itself: each output gets a full-screen saver
        // of its own, as a daemon runs one copy per monitor.
        for (QScreen* screen : QGuiApplication::screens()) {
            const ImageSize size =
                imageSizeOf((QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize());
            SaverWidget* window = loadSaverWindow(platform, options, {screen, screen->geometry(), size, size}, ending);
            if (!window) return false;
            window->setWindowTitle(QStringLiteral("Almanix"));
            window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            window->showFullScreen();
        }
        return true;
    }
    // One window over every monitor; what the image is not on is black.
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const ImageSize size = desktopSize();
    SaverWidget* window =
        loadSaverWindow(platform, options, {QGuiApplication::primaryScreen(), desktop, size, size}, ending);
    if (!window) return false;
    window->setWindowTitle(QStringLiteral("Almanix"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setGeometry(desktop);
    // A window manager's full-screen state covers one monitor only.
    if (QGuiApplication::screens().size() == 1)
        window->showFullScreen();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return true;
}

bool openSaverPreview(Platform& platform, std::int32_t hostWindow, const SaverOptions& options,
                      EndingDeadline& ending) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        platform.console.writeError("/p needs X11 (QT_QPA_PLATFORM=xcb): a preview lives in an X11 window");
        return false;
    }
    const auto host = static_cast<std::uint32_t>(hostWindow);
    const auto hostSize = x11WindowSize(connection, host);
    if (!hostSize) {
        // Already gone, or never there: the preview ends before it begins.
        std::fprintf(stderr, "almanix: there is no X11 window %d to show the preview in\n", hostWindow);
        return true;
    }
    SaverWidget* window = loadSaverWindow(platform, options, insideWindowOf(*hostSize), ending);
    if (!window) return false;
    window->setWindowTitle(QStringLiteral("Preview"));
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    embedIn(*window, host, *hostSize);
    qApp->installNativeEventFilter(new HostWatcher(connection, host, window));
    window->show();
    return true;
}

bool openSaverInDaemonWindow(Platform& platform, std::optional<std::uint32_t> daemonWindow, const SaverOptions& options,
                             EndingDeadline& ending) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        platform.console.writeError(
            "-root and -window-id need X11 (QT_QPA_PLATFORM=xcb): a daemon's window is an X11 one");
        return false;
    }
    const std::uint32_t host = daemonWindow.value_or(rootWindow(connection));
    const auto hostSize = x11WindowSize(connection, host);
    if (!hostSize) {
        char id[16];
        std::snprintf(id, sizeof id, "0x%x", host);
        platform.console.writeError("there is no X11 window " + std::string(id) + " to draw in");
        return false;
    }
    SaverWidget* window = loadSaverWindow(platform, options, insideWindowOf(*hostSize), ending);
    if (!window) return false;
    window->setWindowTitle(QStringLiteral("Almanix"));
    // Input passes through to the daemon's window, which owns it.
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus);
    embedIn(*window, host, *hostSize);
    if (daemonWindow) qApp->installNativeEventFilter(new HostWatcher(connection, host, window));
    window->show();
    return true;
}

} // namespace almanix
