#include "qt/linux_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace almanix {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

} // namespace

QtApplicationOnDemand::QtApplicationOnDemand(int& argc, char** argv) : argc_(argc), argv_(argv) {}

QtApplicationOnDemand::~QtApplicationOnDemand() = default;

void QtApplicationOnDemand::withoutWindows() {
    if (!QCoreApplication::instance()) core_ = std::make_unique<QCoreApplication>(argc_, argv_);
}

QApplication& QtApplicationOnDemand::get() {
    if (!application_) application_ = std::make_unique<QApplication>(argc_, argv_);
    return *application_;
}

void QtMessageBox::show(const std::string& text, const std::string& title) {
    application_.get();
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // a message may quote what the user typed
    box.exec();
}

DataPaths linuxDataPaths() { return {homeFolder() + "/Almanix", '/', "~/Almanix/pics"}; }

// An XDG base folder from its variable when that is absolute, else under the home folder.
std::string xdgFolder(const char* variable, const char* homeFallback) {
    const char* folder = std::getenv(variable);
    const std::string base = folder && *folder == '/' ? folder : homeFolder() + homeFallback;
    return base + "/almanix";
}

std::string linuxConfigFolder() { return xdgFolder("XDG_CONFIG_HOME", "/.config"); }

CacheFolder linuxCacheFolder() { return {xdgFolder("XDG_CACHE_HOME", "/.cache"), '/'}; }

DatePattern localeShortDate() {
    std::setlocale(LC_TIME, "");
    return DatePattern::fromPosixFormat(nl_langinfo(D_FMT));
}

bool anotherLinuxCopyIsRunning() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string path = runtime && *runtime == '/' ? std::string(runtime) + "/almanix.lock"
                                                        : "/tmp/almanix-" + std::to_string(::getuid()) + ".lock";
    // Deliberately never closed: the lock lasts as long as the process.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) return false; // without a lock file, run rather than refuse
    // In /tmp another user may have made the file first and hold it; only our own counts.
    struct stat file {};
    if (::fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode) || file.st_uid != ::getuid()) {
        ::close(descriptor);
        return false;
    }
    return ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

LinuxSystem::LinuxSystem(QtApplicationOnDemand& application)
    : registry_(files_, linuxConfigFolder()),
      shortDate_(localeShortDate()),
      messages_(application),
      platform_{files_,           registry_,    shortDate_,         clock_,    messages_, services_, console_,
                linuxDataPaths(), linkFetcher_, linuxCacheFolder(), timeZones_} {}

} // namespace almanix
