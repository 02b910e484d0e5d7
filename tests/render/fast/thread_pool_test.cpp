#include "render/fast/thread_pool.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

namespace seedscape {
namespace {

TEST(ThreadPool, RunsEachTaskOnceOnEveryThreadAndWaitsForAll) {
    ThreadPool pool(3);
    for (int task = 0; task < 50; ++task) {
        std::mutex mutex;
        std::set<std::thread::id> threads;
        std::atomic<int> runs{0};
        pool.RunOnAll([&] {
            std::this_thread::yield();  // a late finisher must still be waited for
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
            ++runs;
        });
        ASSERT_EQ(runs, pool.threads()) << "task " << task;
        ASSERT_EQ(threads.size(), static_cast<std::size_t>(pool.threads()));
        EXPECT_TRUE(threads.count(std::this_thread::get_id())) << "the caller works too";
    }
}

// Threads that watch for a while before sleeping must still be woken once
// asleep: here the workers fall asleep between tasks, and then either the
// caller waiting for workers that finish late, or the workers waiting for a
// caller that does.
TEST(ThreadPool, WakesWorkersAndCallerThatFellAsleep) {
    using std::chrono::milliseconds;
    ThreadPool pool(2);
    const std::thread::id caller = std::this_thread::get_id();
    for (int task = 0; task < 6; ++task) {
        std::this_thread::sleep_for(milliseconds(3));
        const bool caller_late = task % 2 == 0;
        std::atomic<int> runs{0};
        pool.RunOnAll([&] {
            if ((std::this_thread::get_id() == caller) == caller_late) {
                std::this_thread::sleep_for(milliseconds(3));
            }
            ++runs;
        });
        ASSERT_EQ(runs, pool.threads()) << "task " << task;
    }
}

// A scheduler that packs threads would otherwise run a worker behind the
// caller on one core while another idles.
TEST(ThreadPool, WorkersRunOffTheCallersCore) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    if (CPU_COUNT(&allowed) < 2) GTEST_SKIP() << "this test needs two cores";

    ThreadPool pool(1);
    const std::thread::id caller = std::this_thread::get_id();
    int compared = 0;
    for (int task = 0; task < 40; ++task) {
        const int before = sched_getcpu();
        int caller_core = -1;
        int worker_core = -1;
        pool.RunOnAll([&] {
            (std::this_thread::get_id() == caller ? caller_core : worker_core) = sched_getcpu();
        });
        // A caller that moved between cores meanwhile proves nothing.
        if (caller_core != before || sched_getcpu() != before) continue;
        ++compared;
        EXPECT_NE(worker_core, caller_core) << "task " << task;
    }
    EXPECT_GT(compared, 0) << "the caller never stayed on one core";
}

}  // namespace
}  // namespace seedscape
