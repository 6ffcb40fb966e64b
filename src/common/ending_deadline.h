#pragma once

#include <chrono>
#include <memory>

namespace almanix {

// Once the saver has gone, the process ends within a short time even when
// something still waits for a worker that is stuck (a file read that never
// returns): the saver's end must not hang on it, nor keep its single-copy lock.
class EndingDeadline {
public:
    // endNow ends the process at once, without waiting for anything.
    explicit EndingDeadline(void (*endNow)());
    // The process reached its end by itself: nothing is forced.
    ~EndingDeadline();
    EndingDeadline(const EndingDeadline&) = delete;
    EndingDeadline& operator=(const EndingDeadline&) = delete;

    // From now on, endNow is called unless this object goes within the limit.
    // Only the first call counts.
    void start(std::chrono::milliseconds limit);

    // What the saver allows its end once its window has gone.
    static constexpr std::chrono::milliseconds kSaverLimit{100};

private:
    struct Shared;
    std::shared_ptr<Shared> shared_; // with the thread that waits
    void (*endNow_)();
};

} // namespace almanix
