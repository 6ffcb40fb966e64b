#include "qt/linux_shell.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "qt/linux_platform.h"
#include "qt/linux_saver.h"
#include "qt/qt_setup_window.h"

namespace almanix {

void QtMessageBox::show(const std::string& text, const std::string& title) {
    qtApplication();
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // a message may quote what the user typed
    box.exec();
}

bool LinuxStartupShell::anotherCopyIsRunning() { return anotherLinuxCopyIsRunning(); }

bool LinuxStartupShell::showSaverFullScreen() { return openSaverFullScreen(); }

WindowRect LinuxStartupShell::clientRectOf(std::int32_t window) { return x11ClientRect(window); }

bool LinuxStartupShell::showSaverPreview(std::int32_t parentWindow, const WindowRect& parentRect) {
    return openSaverPreview(parentWindow, parentRect);
}

bool LinuxStartupShell::showSetupWindow() { return showLinuxSetupWindow(); }

} // namespace almanix
