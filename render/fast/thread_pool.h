#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace seedscape {

// A few worker threads, started once and reused by every render. RunOnAll
// hands one task to every worker and to the calling thread and returns when
// all of them have finished it; while it runs, the workers run on cores other
// than the caller's, where there are others.
//
// Waking a sleeping thread costs tens of microseconds (more in a virtual
// machine, where the idle core has to be woken too), as much as a small
// render's share of a core. So a worker that has finished a task, and the
// caller waiting for the workers, first watch for a while without sleeping:
// renders that follow one another, and workers that finish close together,
// then never wait for a wake-up.
class ThreadPool {
  public:
    explicit ThreadPool(int workers);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int threads() const { return static_cast<int>(workers_.size()) + 1; }
    void RunOnAll(const std::function<void()>& task);

  private:
    void Work();
    void WaitForWorkers();

    std::vector<std::thread> workers_;
    std::mutex one_task_at_a_time_;  // for callers on several threads
    int pinned_off_core_ = -1;       // the caller's core the workers were last kept off
    // Sleeping and waking go through the mutex; the counters are read
    // without it while watching.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void()>* task_ = nullptr;  // set before generation_ moves on
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<int> running_{0};
    std::atomic<bool> stopping_{false};
    int sleeping_workers_ = 0;      // under mutex_
    bool caller_sleeping_ = false;  // under mutex_
};

// The process's pool: one worker fewer than the processor has cores.
ThreadPool& RenderThreads();

}  // namespace seedscape
