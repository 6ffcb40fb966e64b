#include "win32/win32_saver_window.h"

#include <windowsx.h>

#include "win32/win32_bound_function.h"

namespace almanix {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTickMilliseconds = 100;
constexpr LONG kChildStyle = 0x40000000;      // WS_CHILD
constexpr int kOwnerIndex = -8;               // GWL_HWNDPARENT
constexpr UINT kPreviewPlacement = 0x54;      // SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW

using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND);

HBRUSH blackBrush() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

} // namespace

bool Win32SaverWindow::create(SaverPlacement placement) {
    const ImageSize screen = screenSize();
    // Own device context: the ticks draw on it between paints, for the window's whole life.
    const ClassStyle windowClass{"AlmanixSaverWindow", CS_OWNDC | CS_DBLCLKS, blackBrush()};
    const DWORD extendedStyle = placement == SaverPlacement::fullScreen ? WS_EX_TOPMOST : 0;
    if (!Win32Window::create(windowClass, extendedStyle, WS_POPUP, "Almanix", {0, 0, screen.width, screen.height},
                             nullptr))
        return false;
    windowDc_ = GetDC(handle());
    return true;
}

void Win32SaverWindow::showFullScreen() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    SetFocus(handle());
    UpdateWindow(handle());
}

void Win32SaverWindow::embedIn(HWND parent, const WindowRect& parentRect) {
    const HWND window = handle();
    SetWindowTextA(window, "Preview");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, style | kChildStyle);
    SetParent(window, parent);
    // The preview window becomes the owner as well (SetWindowLongA in the 32-bit build).
    SetWindowLongPtrA(window, kOwnerIndex, reinterpret_cast<LONG_PTR>(parent));
    SetWindowPos(window, HWND_TOP, 0, 0, parentRect.right, parentRect.bottom, kPreviewPlacement);
}

void Win32SaverWindow::fillBlack(const PixelRect& area) {
    // Both corner pixels belong to the strip; a RECT leaves out its right and bottom.
    const RECT strip{area.left, area.top, area.right + 1, area.bottom + 1};
    FillRect(windowDc_, &strip, blackBrush());
}

void Win32SaverWindow::copyImage(std::int32_t x, std::int32_t y, ImageSize size) {
    imagePlace_ = {x, y};
    imageShown_ = size;
    BitBlt(windowDc_, x, y, size.width, size.height, movingImage_.dc(), 0, 0, SRCCOPY);
}

ImageSize Win32SaverWindow::screenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void Win32SaverWindow::showCursor(bool show) { ShowCursor(show ? TRUE : FALSE); }

void Win32SaverWindow::resetPointerShape() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }

void Win32SaverWindow::startTimer() { SetTimer(handle(), kTimer1, kTickMilliseconds, nullptr); }

void Win32SaverWindow::stopTimer() { KillTimer(handle(), kTimer1); }

void Win32SaverWindow::requestClose() {
    // Posted, so that the input handler that asked has returned before the
    // window may go; one request at a time, so the password is asked once.
    if (closePosted_ || !handle()) return;
    closePosted_ = PostMessageA(handle(), WM_CLOSE, 0, 0) != FALSE;
}

bool Win32SaverWindow::verifyScreenSavePassword() {
    static const auto verifyScreenSavePwd =
        boundFunction<VerifyScreenSavePwdFunction>("password.cpl", "VerifyScreenSavePwd");
    // A check that cannot run must not lock the user in the saver.
    if (!verifyScreenSavePwd) return true;
    return verifyScreenSavePwd(handle()) != FALSE;
}

LRESULT Win32SaverWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_TIMER:
        if (wParam != kTimer1) break;
        OnTimer();
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_KEYDOWN: OnKeyDown(); return 0;
    case WM_SYSKEYDOWN: OnKeyDown(); return 0; // Alt+F4 too: one close, by the saver's own rules
    case WM_CHAR: OnChar(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: OnButtonDown(); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(); return 0;
    case WM_LBUTTONDBLCLK: OnLeftButtonDoubleClick(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    default: break;
    }
    return Win32Window::handleMessage(message, wParam, lParam);
}

void Win32SaverWindow::OnPaint() {
    PAINTSTRUCT painting{};
    const HDC dc = BeginPaint(handle(), &painting);
    paint(dc, painting.rcPaint);
    EndPaint(handle(), &painting);
}

void Win32SaverWindow::OnPrintClient(HDC dc) {
    RECT client{};
    GetClientRect(handle(), &client);
    paint(dc, client);
}

void Win32SaverWindow::paint(HDC dc, const RECT& area) {
    FillRect(dc, &area, blackBrush());
    if (imageShown_.width > 0)
        BitBlt(dc, imagePlace_.x, imagePlace_.y, imageShown_.width, imageShown_.height, movingImage_.dc(), 0, 0,
               SRCCOPY);
}

void Win32SaverWindow::OnTimer() {
    if (presenter_) presenter_->Timer1_Timer();
}

void Win32SaverWindow::OnClose() {
    closePosted_ = false;
    if (!presenter_ || presenter_->closeRequested()) DestroyWindow(handle());
}

void Win32SaverWindow::OnDestroy() {
    // Also reached without a close request: the preview window took us with it.
    if (presenter_ && presenter_->running()) presenter_->Form_Unload();
    ReleaseDC(handle(), windowDc_);
    windowDc_ = nullptr;
    PostQuitMessage(0);
}

void Win32SaverWindow::onNcDestroy() {
    // The release may delete this object, the function included.
    const std::function<void()> release = std::move(release_);
    if (release) release();
}

void Win32SaverWindow::OnKeyDown() {
    if (presenter_) presenter_->Form_KeyDown();
}

void Win32SaverWindow::OnChar() {
    if (presenter_) presenter_->Form_KeyPress();
}

void Win32SaverWindow::OnButtonDown() {
    if (presenter_) presenter_->Form_MouseDown();
}

void Win32SaverWindow::OnLeftButtonUp() {
    if (presenter_) presenter_->Form_Click();
}

void Win32SaverWindow::OnLeftButtonDoubleClick() {
    if (presenter_) presenter_->Form_DblClick();
}

void Win32SaverWindow::OnMouseMove(LPARAM position) {
    if (presenter_) presenter_->Form_MouseMove(GET_X_LPARAM(position), GET_Y_LPARAM(position));
}

} // namespace almanix
