#include "common/ending_deadline.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace almanix {

struct EndingDeadline::Shared {
    std::mutex mutex;
    std::condition_variable ended;
    bool started = false;
    bool reached = false;
};

EndingDeadline::EndingDeadline(void (*endNow)()) : shared_(std::make_shared<Shared>()), endNow_(endNow) {}

EndingDeadline::~EndingDeadline() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->reached = true;
    }
    shared_->ended.notify_one();
}

void EndingDeadline::start(std::chrono::milliseconds limit) {
    {
        const std::lock_guard lock(shared_->mutex);
        if (shared_->started) return;
        shared_->started = true;
    }
    std::thread([shared = shared_, limit, endNow = endNow_] {
        std::unique_lock lock(shared->mutex);
        if (!shared->ended.wait_for(lock, limit, [&] { return shared->reached; })) endNow();
    }).detach();
}

} // namespace almanix
