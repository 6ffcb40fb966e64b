#include "qt/qt_saver_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace almanix {

namespace {

constexpr int kTickMilliseconds = 100;

QRect qtRect(const PixelRect& area) { return {QPoint(area.left, area.top), QPoint(area.right, area.bottom)}; }

} // namespace

SaverWidget::SaverWidget(const QImage& movingImage, ImageSize screen, ImageSize window, qreal devicePixelRatio)
    : movingImage_(movingImage),
      screen_(screen),
      window_(window),
      devicePixelRatio_(devicePixelRatio) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(false);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    timer_.setInterval(kTickMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        if (presenter_) tickLog_.run([this] { presenter_->tick(); });
    });
}

// The window was hidden when it closed; the X server hears of it now, since
// the picture worker may still be decoding and the screen must not wait for it.
SaverWidget::~SaverWidget() { QGuiApplication::sync(); }

// Without direct drawing, each tick's two strips and the copy become one
// repaint of the three; the paint then shows black with the image at its new
// place, which is the same.
void SaverWidget::fillBlack(const PixelRect& area) {
    if (X11WindowDrawing* x11 = x11Drawing())
        x11->fillBlack(qtRect(area));
    else
        update(logicalArea(qtRect(area)));
}

QRect SaverWidget::logicalArea(const QRect& devicePixels) const {
    const QRectF logical(QPointF(devicePixels.topLeft()) / devicePixelRatio_,
                         QSizeF(devicePixels.size()) / devicePixelRatio_);
    return logical.toAlignedRect();
}

void SaverWidget::copyImage(std::int32_t x, std::int32_t y, ImageSize size) {
    imagePlace_ = {x, y};
    imageShown_ = true;
    if (X11WindowDrawing* x11 = x11Drawing()) {
        x11->copyImage(movingImage_, imagePlace_);
        x11->flush();
    } else {
        update(logicalArea(QRect(imagePlace_, QSize(size.width, size.height))));
    }
}

X11WindowDrawing* SaverWidget::x11Drawing() {
    // Made at the first frame, once the window is shown in its final place.
    if (!x11Tried_ && isVisible()) {
        x11Tried_ = true;
        x11_ = X11WindowDrawing::forWindow(static_cast<std::uint32_t>(winId()));
    }
    return x11_.get();
}

void SaverWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Drawn in device pixels: the image pixel for pixel, whatever the scale.
    painter.setWorldTransform(QTransform::fromScale(1 / devicePixelRatio_, 1 / devicePixelRatio_));
    QRegion area;
    for (const QRect& logical : event->region()) {
        const QRectF device(QPointF(logical.topLeft()) * devicePixelRatio_, QSizeF(logical.size()) * devicePixelRatio_);
        area += device.toAlignedRect();
    }
    const QRect image = imageShown_ ? QRect(imagePlace_, movingImage_.size()) : QRect();
    // The image is opaque, so only what lies outside it is filled black.
    for (const QRect& black : area - image) painter.fillRect(black, Qt::black);
    if (imageShown_) painter.drawImage(imagePlace_, movingImage_);
}

void SaverWidget::showCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    if (cursorHidden())
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void SaverWidget::resetPointerShape() {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

void SaverWidget::closeEvent(QCloseEvent* event) {
    if (!presenter_ || presenter_->closeRequested())
        event->accept();
    else
        event->ignore();
}

void SaverWidget::keyPressEvent(QKeyEvent*) {
    if (presenter_) presenter_->keyPressed();
}

void SaverWidget::mousePressEvent(QMouseEvent*) {
    if (presenter_) presenter_->mouseClicked();
}

void SaverWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (presenter_ && rect().contains(event->position().toPoint())) presenter_->mouseClicked();
}

void SaverWidget::mouseDoubleClickEvent(QMouseEvent*) {
    if (presenter_) presenter_->mouseClicked();
}

void SaverWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!presenter_) return;
    const QPointF place = event->position() * devicePixelRatio_;
    presenter_->mouseMoved(static_cast<std::int32_t>(std::lround(place.x())),
                           static_cast<std::int32_t>(std::lround(place.y())));
}

} // namespace almanix
