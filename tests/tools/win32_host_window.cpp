// A plain white window that stands in for the display settings' preview window:
// prints its handle; after the given seconds prints the windows that live in
// it ("child <caption> <width>x<height> visible|hidden"), destroys itself and ends.
//
//   win32_host_window width height x y seconds

#include <windows.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr UINT_PTR kLifeTimer = 1;

BOOL CALLBACK reportChild(HWND child, LPARAM) {
    char caption[64] = {};
    GetWindowTextA(child, caption, sizeof caption);
    RECT client{};
    GetClientRect(child, &client);
    std::printf("child %s %ldx%ld %s\n", caption, client.right, client.bottom,
                IsWindowVisible(child) ? "visible" : "hidden");
    return TRUE;
}

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        EnumChildWindows(window, reportChild, 0);
        std::fflush(stdout);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fputs("usage: win32_host_window width height x y seconds\n", stderr);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA description{};
    description.lpfnWndProc = hostProcedure;
    description.hInstance = instance;
    description.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    description.lpszClassName = "PreviewHost";
    RegisterClassA(&description);
    // A borderless window, so that its client area is exactly where the test looks.
    const HWND window = CreateWindowExA(0, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE, std::atoi(argv[3]),
                                        std::atoi(argv[4]), width, height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, kLifeTimer, static_cast<UINT>(std::atoi(argv[5]) * 1000), nullptr);
    std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
