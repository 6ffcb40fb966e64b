#include "qt/x11_window_drawing.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

namespace almanix {

namespace {

constexpr std::uint8_t kDepth = 24;
// Pixels go up in requests of at most this many bytes, well under any server's limit.
constexpr std::size_t kUploadBytes = 256 * 1024;

// Whether the server takes 32-bit little-endian pixels, red in the third byte,
// for this visual, as a QImage in RGB32 holds them.
bool takesImagePixels(xcb_connection_t* connection, xcb_visualid_t visual) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool format = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
        format = format || (formats.data->depth == kDepth && formats.data->bits_per_pixel == 32);
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == visual)
                    return format && depths.data->depth == kDepth && visuals.data->red_mask == 0xFF0000 &&
                           visuals.data->green_mask == 0xFF00 && visuals.data->blue_mask == 0xFF;
    return false;
}

} // namespace

xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

std::unique_ptr<X11WindowDrawing> X11WindowDrawing::forWindow(std::uint32_t window) {
    xcb_connection_t* connection = x11Connection();
    if (!connection) return nullptr;
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    if (!attributes) return nullptr;
    const bool usable = takesImagePixels(connection, attributes->visual);
    std::free(attributes);
    if (!usable) return nullptr;
    return std::unique_ptr<X11WindowDrawing>(new X11WindowDrawing(connection, window, kDepth));
}

X11WindowDrawing::X11WindowDrawing(xcb_connection_t* connection, xcb_window_t window, std::uint8_t depth)
    : connection_(connection),
      window_(window),
      depth_(depth),
      context_(xcb_generate_id(connection)) {
    // Black is pixel 0 in true colour; copies that uncover nothing need no exposure events.
    const std::uint32_t values[] = {0, 0};
    xcb_create_gc(connection_, context_, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
}

X11WindowDrawing::~X11WindowDrawing() {
    if (pixmap_) xcb_free_pixmap(connection_, pixmap_);
    xcb_free_gc(connection_, context_);
    xcb_flush(connection_);
}

void X11WindowDrawing::fillBlack(const QRect& area) {
    if (area.isEmpty()) return;
    const xcb_rectangle_t rectangle{static_cast<std::int16_t>(std::clamp(area.left(), -32768, 32767)),
                                    static_cast<std::int16_t>(std::clamp(area.top(), -32768, 32767)),
                                    static_cast<std::uint16_t>(std::min(area.width(), 65535)),
                                    static_cast<std::uint16_t>(std::min(area.height(), 65535))};
    xcb_poly_fill_rectangle(connection_, window_, context_, 1, &rectangle);
}

void X11WindowDrawing::copyImage(const QImage& image, QPoint place) {
    if (image.isNull()) return;
    if (image.cacheKey() != uploadedImage_ || image.size() != pixmapSize_) upload(image);
    // Outside the 16-bit range of X coordinates nothing of the image can be seen.
    if (place.x() < -32768 || place.x() > 32767 || place.y() < -32768 || place.y() > 32767) return;
    xcb_copy_area(connection_, pixmap_, window_, context_, 0, 0, static_cast<std::int16_t>(place.x()),
                  static_cast<std::int16_t>(place.y()), static_cast<std::uint16_t>(image.width()),
                  static_cast<std::uint16_t>(image.height()));
}

void X11WindowDrawing::flush() { xcb_flush(connection_); }

void X11WindowDrawing::upload(const QImage& image) {
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    if (image.size() != pixmapSize_) {
        if (pixmap_) xcb_free_pixmap(connection_, pixmap_);
        pixmap_ = xcb_generate_id(connection_);
        xcb_create_pixmap(connection_, depth_, pixmap_, window_, static_cast<std::uint16_t>(image.width()),
                          static_cast<std::uint16_t>(image.height()));
        pixmapSize_ = image.size();
    }
    const auto rowBytes = static_cast<std::size_t>(pixels.bytesPerLine());
    const int rowsAtOnce = static_cast<int>(std::max<std::size_t>(1, kUploadBytes / rowBytes));
    for (int top = 0; top < pixels.height(); top += rowsAtOnce) {
        const int rows = std::min(rowsAtOnce, pixels.height() - top);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap_, context_,
                      static_cast<std::uint16_t>(pixels.width()), static_cast<std::uint16_t>(rows), 0,
                      static_cast<std::int16_t>(top), 0, depth_, static_cast<std::uint32_t>(rowBytes * rows),
                      pixels.constScanLine(top));
    }
    uploadedImage_ = image.cacheKey();
}

} // namespace almanix
