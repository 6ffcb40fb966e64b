#include "win32/win32_saver_window.h"

#include <windowsx.h>

namespace almanix {

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 100;
// Posted by the picture loader's worker when answers wait.
constexpr UINT kPicturesAnswered = WM_APP + 1;
// Posted by the due check's thread when an answer waits.
constexpr UINT kDueEventsAnswered = WM_APP + 2;

HBRUSH blackBrush() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

// Hands a key, button or mouse move to the presenter; false for any other message.
bool forwardInput(SaverWindow& presenter, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // Alt+F4 too: one close, by the saver's own rules
    case WM_CHAR: presenter.keyPressed(); return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: presenter.mouseClicked(); return true;
    case WM_MOUSEMOVE: presenter.mouseMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return true;
    default: return false;
    }
}

} // namespace

RECT virtualDesktop(SystemMetric metric) {
    const int left = metric(SM_XVIRTUALSCREEN);
    const int top = metric(SM_YVIRTUALSCREEN);
    return {left, top, left + metric(SM_CXVIRTUALSCREEN), top + metric(SM_CYVIRTUALSCREEN)};
}

bool Win32SaverWindow::create(SaverPlacement placement) {
    // Over every monitor; what the image is not on is black.
    const RECT desktop = virtualDesktop(metric_);
    // Own device context: the ticks draw on it between paints, for the window's whole life.
    const ClassStyle windowClass{"AlmanixSaverWindow", CS_OWNDC | CS_DBLCLKS, blackBrush()};
    const DWORD extendedStyle = placement == SaverPlacement::fullScreen ? WS_EX_TOPMOST : 0;
    if (!Win32Window::create(windowClass, extendedStyle, WS_POPUP, "Almanix", desktop, nullptr)) return false;
    windowDc_ = GetDC(handle());
    pictures_.notifyWindow(handle(), kPicturesAnswered);
    if (dueCheck_) dueCheck_->wakeWith([window = handle()] { PostMessageA(window, kDueEventsAnswered, 0, 0); });
    return true;
}

void Win32SaverWindow::showFullScreen() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
    SetFocus(handle());
    UpdateWindow(handle());
}

void Win32SaverWindow::embedIn(HWND host) {
    const HWND window = handle();
    RECT hostArea{};
    GetClientRect(host, &hostArea);
    SetWindowTextA(window, "Preview");
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
    SetParent(window, host);
    // The host becomes the owner as well.
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host));
    SetWindowPos(window, HWND_TOP, 0, 0, hostArea.right, hostArea.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
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

ImageSize Win32SaverWindow::screenSize() { return {metric_(SM_CXVIRTUALSCREEN), metric_(SM_CYVIRTUALSCREEN)}; }

ImageSize Win32SaverWindow::windowSize() {
    RECT client{};
    GetClientRect(handle(), &client);
    return {client.right, client.bottom};
}

void Win32SaverWindow::showCursor(bool show) { ShowCursor(show ? TRUE : FALSE); }

void Win32SaverWindow::resetPointerShape() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }

void Win32SaverWindow::startTimer() { SetTimer(handle(), kTickTimer, kTickMilliseconds, nullptr); }

void Win32SaverWindow::stopTimer() { KillTimer(handle(), kTickTimer); }

void Win32SaverWindow::requestClose() {
    // Posted, so that the input handler that asked has returned before the
    // window may go; one request at a time, so the password is asked once.
    if (closePosted_ || !handle()) return;
    closePosted_ = PostMessageA(handle(), WM_CLOSE, 0, 0) != FALSE;
}

bool Win32SaverWindow::verifyScreenSavePassword() {
    const auto verifyScreenSavePwd = verifyScreenSavePwd_.get();
    // A check that cannot run must not lock the user in the saver.
    if (!verifyScreenSavePwd) return true;
    return verifyScreenSavePwd(handle()) != FALSE;
}

LRESULT Win32SaverWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (presenter_ && forwardInput(*presenter_, message, lParam)) return 0;
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_TIMER:
        if (wParam != kTickTimer) break;
        if (presenter_) tickLog_.run([this] { presenter_->tick(); });
        return 0;
    case kPicturesAnswered: pictures_.deliverAnswers(); return 0;
    case kDueEventsAnswered:
        if (dueCheck_) dueCheck_->deliverAnswers();
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
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

void Win32SaverWindow::OnClose() {
    closePosted_ = false;
    if (!presenter_ || presenter_->closeRequested()) DestroyWindow(handle());
}

void Win32SaverWindow::OnDestroy() {
    // Also reached without a close request: the preview's host took us with it.
    if (presenter_ && presenter_->running()) presenter_->unload();
    pictures_.notifyWindow(nullptr, 0);
    if (dueCheck_) dueCheck_->wakeWith(nullptr);
    ReleaseDC(handle(), windowDc_);
    windowDc_ = nullptr;
    PostQuitMessage(0);
}

} // namespace almanix
