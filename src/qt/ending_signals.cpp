#include "qt/ending_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace almanix {

namespace {

sigset_t endingSignals() {
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGHUP);
    return ending;
}

} // namespace

void holdBackEndingSignals() {
    const sigset_t ending = endingSignals();
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
}

void closeOnEndingSignals(QWidget& window) {
    onEndingSignals(window, [&window] { window.close(); });
}

void quitOnEndingSignals() {
    onEndingSignals(*QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

void onEndingSignals(QObject& context, std::function<void()> action) {
    const sigset_t ending = endingSignals();
    const int descriptor = signalfd(-1, &ending, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor < 0) {
        // Without a way to hear them, let the ending end the process as they would.
        pthread_sigmask(SIG_UNBLOCK, &ending, nullptr);
        return;
    }
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &context);
    QObject::connect(notifier, &QSocketNotifier::activated, &context, [descriptor, action] {
        signalfd_siginfo received{};
        while (::read(descriptor, &received, sizeof received) == sizeof received) {}
        action();
    });
    QObject::connect(notifier, &QObject::destroyed, [descriptor] { ::close(descriptor); });
}

} // namespace almanix
