#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "qt/x11_window_drawing.h"
#include "saver/saver_window.h"
#include "saver/tick_log.h"

namespace almanix {

// The saver window on Linux: black, with the moving image painted over it.
// Each tick repaints only the strips the image uncovers and its new place: on
// X11 straight on the window, elsewhere through Qt's painting.
//
// What the saver decides is in the screen's device pixels, so that text and
// pictures are drawn at the panel's own resolution; Qt's geometry, painting
// and events are in logical pixels, devicePixelRatio device pixels each.
class SaverWidget final : public QWidget, public SaverWindowView {
public:
    // The whole screen's and this window's sizes in device pixels.
    SaverWidget(const QImage& movingImage, ImageSize screen, ImageSize window, qreal devicePixelRatio);
    // Shows the end of the saver at once, before its parts are let go.
    ~SaverWidget() override;

    // The presenter that handles this window's timer, input and closing.
    void attach(SaverWindow& presenter) { presenter_ = &presenter; }

    void fillBlack(const PixelRect& area) override;
    void copyImage(std::int32_t x, std::int32_t y, ImageSize size) override;
    ImageSize screenSize() override { return screen_; }
    ImageSize windowSize() override { return window_; }
    void showCursor(bool show) override;
    void resetPointerShape() override;
    void startTimer() override { timer_.start(); }
    void stopTimer() override { timer_.stop(); }
    void requestClose() override { close(); }
    // Linux has no screen-saver password, so there is nothing to confirm.
    bool verifyScreenSavePassword() override { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool cursorHidden() const { return cursorCount_ < 0; }
    // The logical area that holds these device pixels.
    QRect logicalArea(const QRect& devicePixels) const;
    // Null where the window cannot be drawn on directly.
    X11WindowDrawing* x11Drawing();

    const QImage& movingImage_;
    ImageSize screen_;
    ImageSize window_;
    qreal devicePixelRatio_;
    SaverWindow* presenter_ = nullptr;
    QTimer timer_;
    TickLog tickLog_{tickLogPathFromEnvironment()};
    // Where the image was last copied; nothing is shown before the first copy.
    QPoint imagePlace_;
    bool imageShown_ = false;
    std::unique_ptr<X11WindowDrawing> x11_;
    bool x11Tried_ = false;
    // Counted like the system's cursor: shown while the count is 0 or more.
    int cursorCount_ = 0;
};

} // namespace almanix
