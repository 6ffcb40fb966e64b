#pragma once

#include <windows.h>

#include "saver/saver_window.h"
#include "saver/tick_log.h"
#include "win32/gdi_scene_image.h"
#include "win32/wic_picture_loader.h"
#include "win32/win32_bound_function.h"
#include "win32/win32_window.h"

namespace almanix {

// GetSystemMetrics, or a stand-in for it.
using SystemMetric = int(WINAPI*)(int index);

// Every monitor together, in screen coordinates: where the full-screen saver goes.
RECT virtualDesktop(SystemMetric metric);

// The saver window on Windows: black, with the moving image copied onto it.
// Each tick fills the uncovered strips and copies the image on the window's
// own device context; only uncovered parts of the window are ever repainted.
class Win32SaverWindow final : public Win32Window, public SaverWindowView {
public:
    Win32SaverWindow(GdiSceneImage& movingImage, WicPictureLoader& pictures, SystemMetric metric = GetSystemMetrics)
        : movingImage_(movingImage),
          pictures_(pictures),
          metric_(metric) {}

    // The window, not yet shown: a borderless popup over every monitor. The
    // picture loader's answers come through it.
    bool create(SaverPlacement placement);
    // The presenter that handles this window's timer, input and closing.
    void attach(SaverWindow& presenter) { presenter_ = &presenter; }
    // The due check whose answers come through this window.
    void attachDueCheck(DueCheckThread& dueCheck) { dueCheck_ = &dueCheck; }

    void showFullScreen();
    // Makes the window a child of the host, sized to the host's client area, and shows it.
    void embedIn(HWND host);

    void fillBlack(const PixelRect& area) override;
    void copyImage(std::int32_t x, std::int32_t y, ImageSize size) override;
    ImageSize screenSize() override;
    ImageSize windowSize() override;
    void showCursor(bool show) override;
    void resetPointerShape() override;
    void startTimer() override;
    void stopTimer() override;
    void requestClose() override;
    bool verifyScreenSavePassword() override;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnPrintClient(HDC dc);
    // What any part of the window shows: black, and the image where it was copied last.
    void paint(HDC dc, const RECT& area);
    void OnClose();
    void OnDestroy();

    GdiSceneImage& movingImage_;
    WicPictureLoader& pictures_;
    SystemMetric metric_;
    SaverWindow* presenter_ = nullptr;
    DueCheckThread* dueCheck_ = nullptr;
    TickLog tickLog_{tickLogPathFromEnvironment()};
    HDC windowDc_ = nullptr;
    POINT imagePlace_{};
    ImageSize imageShown_;
    bool closePosted_ = false;
    BoundFunction<BOOL(WINAPI*)(HWND)> verifyScreenSavePwd_{"password.cpl", "VerifyScreenSavePwd"};
};

} // namespace almanix
