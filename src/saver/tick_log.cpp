#include "saver/tick_log.h"

#include <cstdlib>

namespace almanix {

std::string tickLogPathFromEnvironment() {
    const char* path = std::getenv("ALMANIX_TICK_LOG");
    return path ? path : "";
}

TickLog::TickLog(const std::string& path) : file_(path.empty() ? nullptr : std::fopen(path.c_str(), "a")) {}

TickLog::~TickLog() {
    if (file_) std::fclose(file_);
}

void TickLog::record(Clock::time_point began, Clock::time_point ended) {
    using Milliseconds = std::chrono::duration<double, std::milli>;
    std::fprintf(file_, "%.3f %.3f\n", Milliseconds(began - start_).count(), Milliseconds(ended - began).count());
    // Flushed each tick, so that a saver ended by a signal leaves its lines behind.
    std::fflush(file_);
}

} // namespace almanix
