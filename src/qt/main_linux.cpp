#include <QApplication>
#include <string>

#include "qt/linux_platform.h"
#include "qt/linux_shell.h"
#include "qt/posix_file_system.h"
#include "settings/reg_file_registry.h"
#include "startup/main_dispatch.h"

int main(int argc, char** argv) {
    using namespace almanix;

    // The argument text is what follows the program's path, as on Windows.
    std::string argumentText;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) argumentText += ' ';
        argumentText += argv[i];
    }
    rememberCommandLine(argc, argv);

    PosixFileSystem files;
    RegFileRegistry registry(files, linuxConfigFolder());
    LinuxPlatformServices platform;
    QtMessageBox messages;
    LinuxStartupShell shell;
    StartupServices services{shell, platform, registry, messages};

    int status = 0;
    switch (Main(argumentText, services)) {
    case MainResult::nothingOpened: break;
    case MainResult::startupFailed: status = 2; break;
    case MainResult::windowOpened:
        // The process lives as long as one of its windows does.
        if (qtApplicationExists() && !QApplication::topLevelWidgets().isEmpty())
            status = qtApplication().exec();
        break;
    }
    endQtApplication();
    return status;
}
