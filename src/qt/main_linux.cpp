#include <QApplication>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/ending_deadline.h"
#include "qt/linux_platform.h"
#include "qt/linux_shell.h"
#include "startup/program_start.h"

int main(int argc, char** argv) {
    using namespace almanix;

    const Arguments arguments = Arguments::ofWords(std::vector<std::string>(argv + 1, argv + argc));
    // First made, last gone: it covers every part's end after it.
    EndingDeadline ending([] { ::_exit(0); });
    QtApplicationOnDemand application(argc, argv);
    LinuxSystem system(application);
    LinuxStartupShell shell(system.platform(), application, ending);

    switch (startProgram(arguments, shell, system.platform())) {
    case StartResult::nothingOpened: return 0;
    case StartResult::startupFailed: return 2;
    case StartResult::displayUnavailable:
    case StartResult::agendaPartly: return 1;
    case StartResult::windowOpened: break;
    }
    // The process lives as long as one of its windows does.
    if (!application.exists() || QApplication::topLevelWidgets().isEmpty()) return 0;
    return application.get().exec();
}
