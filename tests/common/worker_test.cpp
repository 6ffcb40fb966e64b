#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "common/detached_worker.h"
#include "common/ending_deadline.h"

namespace almanix {
namespace {

using namespace std::chrono_literals;

// A job stuck in a file that never answers must hold neither its owner's end
// nor the program's.
TEST(DetachedWorker, ItsOwnerGoesAtOnceWhileAJobIsStuck) {
    std::mutex mutex;
    std::vector<int> answered;
    std::promise<void> stuck;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    const auto answer = [&](int number) {
        return DetachedWorker::Answer([&mutex, &answered, number] {
            const std::lock_guard lock(mutex);
            answered.push_back(number);
        });
    };
    std::optional<DetachedWorker> worker(std::in_place, [](DetachedWorker::Answer given) { given(); });
    worker->post([&] { return answer(1); });
    worker->post([&] {
        stuck.set_value();
        released.wait();
        return answer(2);
    });
    worker->post([&] { return answer(3); });
    stuck.get_future().wait();
    const auto start = std::chrono::steady_clock::now();
    worker.reset();
    const auto ending = std::chrono::steady_clock::now() - start;
    EXPECT_LT(ending, 100ms);
    release.set_value();
    // Time for the freed job to finish; its answer must not come.
    std::this_thread::sleep_for(50ms);
    const std::lock_guard lock(mutex);
    EXPECT_EQ(answered, std::vector<int>{1});
}

std::atomic<int> forcedEndings{0};
void noteForcedEnding() { ++forcedEndings; }

TEST(EndingDeadline, ForcesTheEndOnlyWhenTheOwnerOutlivesTheLimit) {
    {
        EndingDeadline inTime(noteForcedEnding);
        inTime.start(2s);
    }
    EndingDeadline late(noteForcedEnding);
    late.start(1ms);
    late.start(1ms); // once only
    for (int i = 0; i < 200 && forcedEndings == 0; ++i) std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(forcedEndings, 1);
}

} // namespace
} // namespace almanix
