#include "qt/linux_shell.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "qt/linux_platform.h"

namespace almanix {

void QtMessageBox::show(const std::string& text, const std::string& title) {
    qtApplication();
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

bool LinuxStartupShell::anotherCopyIsRunning() { return anotherLinuxCopyIsRunning(); }

bool LinuxStartupShell::showSaverFullScreen() {
    std::fputs("almanix: the full-screen saver window opens here (not built yet)\n", stderr);
    return true;
}

WindowRect LinuxStartupShell::clientRectOf(std::int32_t) { return {}; }

bool LinuxStartupShell::showSaverPreview(std::int32_t, const WindowRect&) {
    std::fputs("almanix: the preview window opens here (not built yet)\n", stderr);
    return true;
}

bool LinuxStartupShell::showSetupWindow() {
    std::fputs("almanix: the setup window opens here (not built yet)\n", stderr);
    return true;
}

} // namespace almanix
