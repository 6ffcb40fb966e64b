#pragma once

#include <functional>

class QObject;
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

// Ends every event loop of the application when one comes: the setup's, whose
// OK writes the event file in one go between two events, so that no write is
// cut short and no temporary file is left behind.
void quitOnEndingSignals();

// Runs the action, from the event loop, when one of them comes, for as long as
// the context lives.
void onEndingSignals(QObject& context, std::function<void()> action);

} // namespace almanix
