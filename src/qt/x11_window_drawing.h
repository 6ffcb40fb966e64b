#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>
#include <xcb/xcb.h>

namespace almanix {

// Qt's connection to the X server; null on another platform or before the application exists.
xcb_connection_t* x11Connection();

// Draws straight on an X11 window. The moving image is kept in a pixmap of
// the X server, so that a tick sends three small requests rather than the
// image's pixels; they are sent again only when the image changes.
class X11WindowDrawing {
public:
    // Nothing when the window is not on an X11 server in 24-bit true colour
    // with the byte order of the image's pixels.
    static std::unique_ptr<X11WindowDrawing> forWindow(std::uint32_t window);
    ~X11WindowDrawing();
    X11WindowDrawing(const X11WindowDrawing&) = delete;
    X11WindowDrawing& operator=(const X11WindowDrawing&) = delete;

    void fillBlack(const QRect& area);
    // Copies the whole image, opaque, with its top-left corner at the place.
    void copyImage(const QImage& image, QPoint place);
    void flush();

private:
    X11WindowDrawing(xcb_connection_t* connection, xcb_window_t window, std::uint8_t depth);
    void upload(const QImage& image);

    xcb_connection_t* connection_;
    xcb_window_t window_;
    std::uint8_t depth_;
    xcb_gcontext_t context_;
    xcb_pixmap_t pixmap_ = 0;
    QSize pixmapSize_;
    qint64 uploadedImage_ = 0; // the cache key of the image in the pixmap
};

} // namespace almanix
