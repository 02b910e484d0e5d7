#include "render/fast/thread_pool.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>

namespace seedscape {

namespace {

// How long a worker watches for the next task, and the caller for the
// workers, before sleeping: about what a wake-up costs (50 to 90 us here).
// Watching longer starved the window: a pool still watching after a drag's
// frame held the core the event thread needed to show it (500 us cost a
// tenth more time from a move to its frame).
constexpr std::chrono::microseconds kWatchBeforeSleeping{50};

// Watches until `done()` holds or the watch is over; returns whether it holds.
template <typename Done>
bool WatchFor(Done done) {
    const auto until = std::chrono::steady_clock::now() + kWatchBeforeSleeping;
    for (int look = 1;; ++look) {
        if (done()) return true;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
        if (look % 64 == 0 && std::chrono::steady_clock::now() > until) return done();
    }
}

// Some schedulers, those of virtual machines among them, pack threads onto
// as few cores as they can: a new worker starts on its creator's core, and a
// woken one was seen to run behind the caller on the caller's core while the
// other core idled, for most of a render that then took twice as long. Each
// task keeps the workers off the caller's core, which spreads the work at
// once. (Letting a worker take back every core once it held its task undid
// it: the scheduler soon moved the worker back beside the caller.) The
// workers are moved only when the caller's core changed since the last task.
void KeepOffCallersCore(std::vector<std::thread>& workers, int& pinned_off_core) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    const int core = sched_getcpu();
    if (workers.empty() || core < 0 || core == pinned_off_core) return;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
    if (CPU_COUNT(&allowed) < 2 || !CPU_ISSET(core, &allowed)) return;
    CPU_CLR(core, &allowed);
    for (std::thread& worker : workers) {
        pthread_setaffinity_np(worker.native_handle(), sizeof allowed, &allowed);
    }
    pinned_off_core = core;
}

}  // namespace

ThreadPool::ThreadPool(int workers) {
    for (int k = 0; k < workers; ++k) workers_.emplace_back([this] { Work(); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_.store(true);
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void ThreadPool::RunOnAll(const std::function<void()>& task) {
    const std::lock_guard one_task(one_task_at_a_time_);
    KeepOffCallersCore(workers_, pinned_off_core_);
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        running_.store(static_cast<int>(workers_.size()), std::memory_order_relaxed);
        generation_.fetch_add(1, std::memory_order_release);
        wake = sleeping_workers_ > 0;
    }
    if (wake) wake_.notify_all();
    task();
    WaitForWorkers();
    task_ = nullptr;
}

void ThreadPool::WaitForWorkers() {
    const auto done = [this] { return running_.load(std::memory_order_acquire) == 0; };
    if (WatchFor(done)) return;
    std::unique_lock lock(mutex_);
    caller_sleeping_ = true;
    done_.wait(lock, done);
    caller_sleeping_ = false;
}

void ThreadPool::Work() {
    std::uint64_t seen = 0;
    const auto next = [&] {
        return stopping_.load(std::memory_order_relaxed) ||
               generation_.load(std::memory_order_acquire) != seen;
    };
    for (;;) {
        if (!WatchFor(next)) {
            std::unique_lock lock(mutex_);
            ++sleeping_workers_;
            wake_.wait(lock, next);
            --sleeping_workers_;
        }
        if (stopping_.load(std::memory_order_relaxed)) return;
        // The caller waits for every worker before the next task, so the
        // generation has moved on by one.
        seen = generation_.load(std::memory_order_acquire);
        (*task_)();
        if (running_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            // The last worker done: the caller may have gone to sleep.
            std::lock_guard lock(mutex_);
            if (caller_sleeping_) done_.notify_one();
        }
    }
}

// The thread that asks for a render works too, so the pool needs one worker
// fewer than the processor has threads. An image mother is 73 chunks of four
// columns; with more than eight threads each would take a handful of chunks,
// and waking and joining them would cost more than the share they take off.
constexpr int kMostWorkers = 7;

// Never destroyed: joining the workers at exit would only add to the exit's
// time (a tenth of a millisecond or more in a one-shot render), and a render
// still running on another thread at exit must not find its pool gone.
ThreadPool& RenderThreads() {
    static ThreadPool& pool = *new ThreadPool(
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 0, kMostWorkers));
    return pool;
}

}  // namespace seedscape
