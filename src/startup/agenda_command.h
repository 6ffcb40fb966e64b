#pragma once

#include "startup/command_line.h"
#include "startup/platform.h"

namespace almanix {

enum class AgendaPrinted {
    whole, // every source was read, a kept copy counting as read
    partly, // a source gave nothing; it was named on the error output
};

// Prints the due items of the event file and of every calendar source, the
// stored ones and those of the command line, one a line in date order, on the
// console's output. Asks links' servers when due, which renews their kept
// copies, and writes no other file: expired events go only when the saver checks.
AgendaPrinted printAgenda(const CommandLine& line, Platform& platform);

} // namespace almanix
