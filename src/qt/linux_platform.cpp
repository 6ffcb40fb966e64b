#include "qt/linux_platform.h"

#include <QApplication>
#include <QMessageBox>
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

} // namespace

QtApplicationOnDemand::QtApplicationOnDemand(int& argc, char** argv) : argc_(argc), argv_(argv) {}

QtApplicationOnDemand::~QtApplicationOnDemand() = default;

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
    const std::string path = runtime && *runtime == '/' ? std::string(runtime) + "/almanix.lock"
                                                        : "/tmp/almanix-" + std::to_string(::getuid()) + ".lock";
    // Deliberately never closed: the lock lasts as long as the process.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return false; // without a lock file, run rather than refuse
    return ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

LinuxSystem::LinuxSystem(QtApplicationOnDemand& application)
    : registry_(files_, linuxConfigFolder()),
      shortDate_(localeShortDate()),
      messages_(application),
      platform_{files_, registry_, shortDate_, clock_, messages_, services_, console_, linuxDataPaths()} {}

} // namespace almanix
