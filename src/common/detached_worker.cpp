#include "common/detached_worker.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace almanix {

struct DetachedWorker::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    std::function<void(Answer)> deliver; // empty once the owner has gone

    void run() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return !deliver || !jobs.empty(); });
                if (!deliver) return;
                job = std::move(jobs.front());
                jobs.pop_front();
            }
            Answer answer = job();
            // Under the lock, so that the owner cannot go while it is handed over.
            const std::lock_guard lock(mutex);
            if (!deliver) return;
            deliver(std::move(answer));
        }
    }
};

DetachedWorker::DetachedWorker(std::function<void(Answer)> deliver) : shared_(std::make_shared<Shared>()) {
    shared_->deliver = std::move(deliver);
    std::thread([shared = shared_] { shared->run(); }).detach();
}

DetachedWorker::~DetachedWorker() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->deliver = nullptr;
        shared_->jobs.clear();
    }
    shared_->wake.notify_one();
}

void DetachedWorker::post(Job job) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->jobs.push_back(std::move(job));
    }
    shared_->wake.notify_one();
}

} // namespace almanix
