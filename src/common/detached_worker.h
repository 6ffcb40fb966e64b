#pragma once

#include <functional>
#include <memory>

namespace almanix {

// Runs jobs one after another on a thread of its own that nobody waits for, so
// that a job stuck in a file that never answers (a hung network mount) holds
// neither its owner nor the program's end. Each job gives back its answer, a
// function that the owner's thread runs, handed over through deliver.
class DetachedWorker {
public:
    using Answer = std::function<void()>;
    using Job = std::function<Answer()>;

    // deliver runs on the worker and passes an answer to the owner's thread;
    // it is never called once this object has gone.
    explicit DetachedWorker(std::function<void(Answer)> deliver);
    // Jobs not yet begun are dropped; one under way finishes unanswered.
    ~DetachedWorker();
    DetachedWorker(const DetachedWorker&) = delete;
    DetachedWorker& operator=(const DetachedWorker&) = delete;

    void post(Job job);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_; // with the thread, which may outlive this
};

} // namespace almanix
