#include "render/fast/thread_pool.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>

namespace seedscape {

namespace {

// Some schedulers, those of virtual machines among them, pack threads onto
// as few cores as they can: a new worker starts on its creator's core, and a
// woken one was seen to run behind the caller on the caller's core while the
// other core idled, for most of a render that then took twice as long. Each
// task keeps the workers off the caller's core, which spreads the work at
// once. (Letting a worker take back every core once it held its task undid
// it: the scheduler soon moved the worker back beside the caller.)
void KeepOffCallersCore(std::vector<std::thread>& workers) {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    const int core = sched_getcpu();
    if (workers.empty() || core < 0 || sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
    if (CPU_COUNT(&allowed) < 2 || !CPU_ISSET(core, &allowed)) return;
    CPU_CLR(core, &allowed);
    for (std::thread& worker : workers) {
        pthread_setaffinity_np(worker.native_handle(), sizeof allowed, &allowed);
    }
}

}  // namespace

ThreadPool::ThreadPool(int workers) {
    for (int k = 0; k < workers; ++k) workers_.emplace_back([this] { Work(); });
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void ThreadPool::RunOnAll(const std::function<void()>& task) {
    const std::lock_guard one_task(one_task_at_a_time_);
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        running_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    KeepOffCallersCore(workers_);
    wake_.notify_all();
    task();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return running_ == 0; });
    task_ = nullptr;
}

void ThreadPool::Work() {
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void()>* task = nullptr;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
            task = task_;
        }
        (*task)();
        {
            std::lock_guard lock(mutex_);
            --running_;
        }
        done_.notify_one();
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
