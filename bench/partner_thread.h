#pragma once

#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <functional>
#include <thread>

namespace seedscape {

// A second thread that runs a job side by side with the caller's own, on a
// core other than the caller's where there is one, as the render pool places
// its workers. It waits spinning, so that starting a job costs no wake-up:
// what two jobs at once take is then what the two cores allow, the most two
// threads of one render could gain. Keep one only while it is timed; it
// holds a core the whole time it lives.
class PartnerThread {
  public:
    PartnerThread() : thread_([this] { Loop(); }) {
        cpu_set_t allowed;
        CPU_ZERO(&allowed);
        const int core = sched_getcpu();
        if (core < 0 || sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
        if (CPU_COUNT(&allowed) < 2 || !CPU_ISSET(core, &allowed)) return;
        CPU_CLR(core, &allowed);
        pthread_setaffinity_np(thread_.native_handle(), sizeof allowed, &allowed);
    }
    ~PartnerThread() {
        stopping_.store(true, std::memory_order_relaxed);
        started_.fetch_add(1, std::memory_order_release);
        thread_.join();
    }
    PartnerThread(const PartnerThread&) = delete;
    PartnerThread& operator=(const PartnerThread&) = delete;

    // Runs `partner_job` on the partner and `own_job` here, and returns when
    // both are done.
    void RunBoth(const std::function<void()>& partner_job, const std::function<void()>& own_job) {
        job_ = &partner_job;
        const int round = started_.fetch_add(1, std::memory_order_release) + 1;
        own_job();
        while (finished_.load(std::memory_order_acquire) != round) Pause();
    }

  private:
    static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    void Loop() {
        int seen = 0;
        for (;;) {
            while (started_.load(std::memory_order_acquire) == seen) Pause();
            ++seen;
            if (stopping_.load(std::memory_order_relaxed)) return;
            (*job_)();
            finished_.store(seen, std::memory_order_release);
        }
    }

    const std::function<void()>* job_ = nullptr;
    std::atomic<int> started_{0};
    std::atomic<int> finished_{0};
    std::atomic<bool> stopping_{false};
    std::thread thread_;  // last: it starts once the counters above exist
};

}  // namespace seedscape
