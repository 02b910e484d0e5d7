#pragma once

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

    std::vector<std::thread> workers_;
    std::mutex one_task_at_a_time_;  // for callers on several threads
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void()>* task_ = nullptr;
    std::uint64_t generation_ = 0;
    int running_ = 0;
    bool stopping_ = false;
};

// The process's pool: one worker fewer than the processor has cores.
ThreadPool& RenderThreads();

}  // namespace seedscape
