#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace almanix {

// The file named by ALMANIX_TICK_LOG; empty when it is not set.
std::string tickLogPathFromEnvironment();

// With a file named, appends one line a tick: the milliseconds since the log
// began, on a monotonic clock, a blank, and the milliseconds the tick took.
// With none, it only runs the ticks.
class TickLog {
public:
    explicit TickLog(const std::string& path);
    ~TickLog();
    TickLog(const TickLog&) = delete;
    TickLog& operator=(const TickLog&) = delete;

    template <typename Tick>
    void run(Tick&& tick) {
        if (!file_) return tick();
        const Clock::time_point began = Clock::now();
        tick();
        record(began, Clock::now());
    }

private:
    using Clock = std::chrono::steady_clock;
    void record(Clock::time_point began, Clock::time_point ended);

    std::FILE* file_ = nullptr;
    Clock::time_point start_ = Clock::now();
};

} // namespace almanix
