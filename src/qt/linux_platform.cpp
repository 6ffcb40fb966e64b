#include "qt/linux_platform.h"

#include <QApplication>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/file.h>
#include <unistd.h>

namespace almanix {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

int* savedArgc = nullptr;
char** savedArgv = nullptr;
std::unique_ptr<QApplication> application;

} // namespace

DataPaths linuxDataPaths() { return {homeFolder() + "/Almanix", '/'}; }

std::string linuxConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = config && *config == '/' ? config : homeFolder() + "/.config";
    return base + "/almanix";
}

DatePattern localeShortDate() {
    std::setlocale(LC_TIME, "");
    return DatePattern::fromPosixFormat(nl_langinfo(D_FMT));
}

bool anotherLinuxCopyIsRunning() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string path = runtime && *runtime == '/'
                                 ? std::string(runtime) + "/almanix.lock"
                                 : "/tmp/almanix-" + std::to_string(::getuid()) + ".lock";
    // Deliberately never closed: the lock lasts as long as the process.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return false; // without a lock file, run rather than refuse
    return ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

void rememberCommandLine(int& argc, char** argv) {
    savedArgc = &argc;
    savedArgv = argv;
}

QApplication& qtApplication() {
    if (!application) application = std::make_unique<QApplication>(*savedArgc, savedArgv);
    return *application;
}

bool qtApplicationExists() { return application != nullptr; }

void endQtApplication() { application.reset(); }

} // namespace almanix
