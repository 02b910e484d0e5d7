#include "image_file/interrupt_cleanup.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace seedscape {

namespace {

// A fixed table, so that the handler reads nothing that a thread could be
// allocating or freeing at the moment the signal arrives. Each place moves
// kFree -> kFilling -> kNoted -> kFree; the handler takes a noted place to
// kRemoving and never gives it back, since the program ends right after.
enum PlaceState : int { kFree, kFilling, kNoted, kRemoving };

constexpr std::size_t kPlaces = 64;
constexpr std::size_t kLongestPath = 4096;

struct Place {
    std::atomic<int> state{kFree};
    char path[kLongestPath];
};

std::array<Place, kPlaces> places;

static_assert(std::atomic<int>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

constexpr std::array<int, 3> kInterrupts = {SIGINT, SIGTERM, SIGHUP};

void RemoveTemporariesAndEnd(int signal_number) {
    for (Place& place : places) {
        int noted = kNoted;
        if (place.state.compare_exchange_strong(noted, kRemoving)) unlink(place.path);
    }
    // The handler was installed to reset itself, so the signal, raised again,
    // ends the program once this returns; the parent sees the usual status.
    raise(signal_number);
}

}  // namespace

int NoteTemporary(const std::string& path) noexcept {
    if (path.size() >= kLongestPath) return -1;
    for (std::size_t k = 0; k < places.size(); ++k) {
        int free = kFree;
        if (!places[k].state.compare_exchange_strong(free, kFilling)) continue;
        std::memcpy(places[k].path, path.c_str(), path.size() + 1);
        places[k].state.store(kNoted, std::memory_order_release);
        return static_cast<int>(k);
    }
    return -1;
}

void ForgetTemporary(int ticket) noexcept {
    if (ticket < 0 || static_cast<std::size_t>(ticket) >= places.size()) return;
    // Fails only while the handler removes the file, and the program ends then.
    int noted = kNoted;
    places[static_cast<std::size_t>(ticket)].state.compare_exchange_strong(noted, kFree);
}

void RemoveTemporariesOnInterrupt() {
    struct sigaction action = {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    // One interrupt at a time: a second signal waits until the first has
    // removed the files.
    for (int signal_number : kInterrupts) sigaddset(&action.sa_mask, signal_number);
    for (int signal_number : kInterrupts) {
        struct sigaction current = {};
        if (sigaction(signal_number, nullptr, &current) != 0) continue;
        if (current.sa_handler != SIG_DFL || (current.sa_flags & SA_SIGINFO) != 0) continue;
        sigaction(signal_number, &action, nullptr);
    }
}

}  // namespace seedscape
