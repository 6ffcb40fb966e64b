#pragma once

class QWidget;

namespace almanix {

// SIGTERM, SIGINT and SIGHUP close the saver window from the event loop, so
// that its unload runs and no file write is cut short. The signals are held
// back in every thread from the start and read from a signalfd.

// Before the Qt application exists, so that the threads it starts hold them back too.
void holdBackEndingSignals();

// Closes the window when one of the held-back signals comes, also one that
// came before the window was there.
void closeOnEndingSignals(QWidget& window);

} // namespace almanix
