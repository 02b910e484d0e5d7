#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "recipe/recipe.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// How a segment between two keys spends its time: evenly, or easing in and
// out (the time fraction u becomes 3u^2 - 2u^3).
enum class Easing { kLinear, kSmooth };

// Times are kept exactly, as whole microseconds: a time is written with at
// most six digits after the point, and whether it falls on a frame is then a
// question of whole numbers.
inline constexpr std::int64_t kMicrosecondsPerSecond = 1000000;

// How long and how large a flight may be. Every setting and key past them is
// refused when the text is read.
inline constexpr WholeRange kFpsRange{1, 120};
inline constexpr int kMostKeys = 1000;
inline constexpr std::int64_t kLongestFlightSeconds = 3600;  // the last key, or a loop
inline constexpr int kFewestLoopFrames = 2;
inline constexpr std::size_t kLongestFlightText = 256 * 1024;
inline constexpr int kMostTimeDecimals = 6;
// A frame drawn on its own is named by its number in six digits.
inline constexpr WholeRange kFrameNumberRange{0, 999999};

// A picture of the flight and when it is shown.
struct FlightKey {
    std::int64_t time_us = 0;
    Easing ease = Easing::kLinear;  // of the segment that ends at this key
    Recipe recipe;                  // carries no export settings (scale 1, supersample 1)
    friend bool operator==(const FlightKey&, const FlightKey&) = default;
};

// A flight: keys in increasing time, the first at 0, each on a frame; or a
// loop, one key whose points travel circles and come back after loop_us.
struct Flight {
    static constexpr int kFormat = 1;
    int fps = 30;
    int scale = 1;
    int supersample = 1;
    std::optional<std::int64_t> loop_us;
    std::vector<FlightKey> keys;
    friend bool operator==(const Flight&, const Flight&) = default;
};

// The frame a key falls on: its time times the frame rate (whole for a
// flight that reads).
inline std::int64_t KeyFrame(const Flight& flight, const FlightKey& key) {
    return key.time_us * flight.fps / kMicrosecondsPerSecond;
}

// Every frame of the flight: the last key's frame and one; a loop's
// round(loop x fps) frames, the frame after its last being its first.
inline std::int64_t FrameCount(const Flight& flight) {
    if (flight.loop_us) {
        return (*flight.loop_us * flight.fps + kMicrosecondsPerSecond / 2) / kMicrosecondsPerSecond;
    }
    return flight.keys.empty() ? 0 : KeyFrame(flight, flight.keys.back()) + 1;
}

}  // namespace seedscape
