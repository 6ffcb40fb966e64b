#pragma once

#include <QApplication>

namespace almanix::testing {

// One Qt application for a test program, on the offscreen platform, so that
// widget tests need no display.
inline QApplication& offscreenApplication() {
    static int argc = 1;
    static char name[] = "almanix_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

} // namespace almanix::testing
