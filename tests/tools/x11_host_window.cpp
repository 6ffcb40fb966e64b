// A plain white X11 window that stands in for the display settings' preview
// window: prints its id, then lives until it is killed.
//
//   x11_host_window [width height [x y]]

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const unsigned width = argc > 2 ? static_cast<unsigned>(std::atoi(argv[1])) : 152;
    const unsigned height = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 112;
    const int x = argc > 4 ? std::atoi(argv[3]) : 0;
    const int y = argc > 4 ? std::atoi(argv[4]) : 0;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("x11_host_window: no display\n", stderr);
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, width, height, 0,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "Preview host");
    // Without a window manager the position asked for is the one it gets.
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    XSetWMNormalHints(display, window, &hints);
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
