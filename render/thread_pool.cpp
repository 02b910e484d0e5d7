#include "render/thread_pool.h"

#include <algorithm>

namespace seedscape {

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

ThreadPool& RenderThreads() {
    static ThreadPool pool(
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 0, 7));
    return pool;
}

}  // namespace seedscape
