#include "app/flights/flight_edits.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "flight/flight_text.h"

namespace seedscape {

namespace {

// Applies `edit` to a copy and keeps it only when the flight still reads.
template <typename Edit>
std::string Checked(Flight& flight, Edit edit) {
    Flight edited = flight;
    edit(edited);
    if (std::string problem = CheckFlight(edited); !problem.empty()) return problem;
    flight = std::move(edited);
    return {};
}

}  // namespace

std::string AppendKey(Flight& flight, const Recipe& recipe) {
    return Checked(flight, [&recipe](Flight& edited) {
        FlightKey key;
        key.recipe = OnScreen(recipe);
        if (!edited.keys.empty()) key.time_us = edited.keys.back().time_us + kMicrosecondsPerSecond;
        edited.keys.push_back(std::move(key));
    });
}

std::int64_t FrameStepUs(int fps) {
    return kMicrosecondsPerSecond / std::gcd(kMicrosecondsPerSecond, std::int64_t{fps});
}

std::int64_t NearestFrameTimeUs(double seconds, int fps) {
    const std::int64_t step = FrameStepUs(fps);
    const double steps = std::round(seconds * kMicrosecondsPerSecond / static_cast<double>(step));
    return static_cast<std::int64_t>(steps) * step;
}

std::string SetKeyTime(Flight& flight, std::size_t key, std::int64_t time_us) {
    return Checked(flight,
                   [key, time_us](Flight& edited) { edited.keys.at(key).time_us = time_us; });
}

std::string SetKeyEasing(Flight& flight, std::size_t key, Easing ease) {
    return Checked(flight, [key, ease](Flight& edited) { edited.keys.at(key).ease = ease; });
}

void RemoveKey(Flight& flight, std::size_t key) {
    if (key >= flight.keys.size()) return;
    flight.keys.erase(flight.keys.begin() + static_cast<std::ptrdiff_t>(key));
    if (flight.keys.empty()) return;
    const std::int64_t start = flight.keys.front().time_us;
    for (FlightKey& kept : flight.keys) kept.time_us -= start;
}

std::string SwapWithNext(Flight& flight, std::size_t key) {
    if (key + 1 >= flight.keys.size()) return {};
    return Checked(flight, [key](Flight& edited) {
        std::swap(edited.keys[key].recipe, edited.keys[key + 1].recipe);
    });
}

bool SegmentCrossfades(const FlightFrames& frames, std::size_t key) {
    const Flight& flight = frames.flight();
    if (flight.loop_us || key == 0 || key >= flight.keys.size()) return false;
    const std::int64_t from = KeyFrame(flight, flight.keys[key - 1]);
    const std::int64_t to = KeyFrame(flight, flight.keys[key]);
    return to - from > 1 && frames.Plan(from + 1).kind == FramePlan::Kind::kCrossfade;
}

}  // namespace seedscape
