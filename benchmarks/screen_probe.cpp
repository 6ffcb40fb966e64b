// Watches a virtual display with a white root window for a full-screen window
// to cover it, or to leave it, and prints the moment on the monotonic clock in
// seconds. The saver benchmark starts a program (or sends a key) just after
// this prints "ready" and times it from there.
//
//   screen_probe covered|uncovered [seconds]

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// How many of the sample points near the corners and the centre show the white root.
int whitePoints(Display* display, Window root, int width, int height) {
    const int points[][2] = {{8, 8}, {width - 9, 8}, {8, height - 9}, {width - 9, height - 9}, {width / 2, height / 2}};
    int white = 0;
    for (const auto& point : points) {
        XImage* image = XGetImage(display, root, point[0], point[1], 1, 1, AllPlanes, ZPixmap);
        if (!image) continue;
        white += (XGetPixel(image, 0, 0) & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
        XDestroyImage(image);
    }
    return white;
}

} // namespace

int main(int argc, char** argv) {
    const bool waitForCover = argc > 1 && std::strcmp(argv[1], "covered") == 0;
    if (argc < 2 || (!waitForCover && std::strcmp(argv[1], "uncovered") != 0)) {
        std::fputs("usage: screen_probe covered|uncovered [seconds]\n", stderr);
        return 2;
    }
    const double limit = argc > 2 ? std::atof(argv[2]) : 30.0;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("screen_probe: no display\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    // Covered: no point shows the root any more. Uncovered: every point does.
    const auto done = [&] {
        const int white = whitePoints(display, root, width, height);
        return waitForCover ? white == 0 : white == 5;
    };
    std::puts("ready");
    std::fflush(stdout);
    const double start = monotonicSeconds();
    while (monotonicSeconds() - start < limit) {
        if (done()) {
            std::printf("%.6f\n", monotonicSeconds());
            return 0;
        }
        const timespec pause{0, 500000};
        nanosleep(&pause, nullptr);
    }
    std::puts("timeout");
    return 1;
}
