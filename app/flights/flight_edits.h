#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "flight/flight.h"
#include "flight/flight_frames.h"

namespace seedscape {

// The edits the flight window makes to its keys. Each either leaves a flight
// that CheckFlight accepts or changes nothing and says why, in CheckFlight's
// words.

// Appends `recipe` (on screen, no export settings) as a key one second after
// the last, or at 0 as the first key.
std::string AppendKey(Flight& flight, const Recipe& recipe);

// The finest step between times that fall on a frame at `fps`: a time falls
// on a frame when time x fps is a whole number of seconds.
std::int64_t FrameStepUs(int fps);

// `seconds` as whole microseconds on the nearest frame at `fps`.
std::int64_t NearestFrameTimeUs(double seconds, int fps);

// Moves key `key` to `time_us`.
std::string SetKeyTime(Flight& flight, std::size_t key, std::int64_t time_us);

std::string SetKeyEasing(Flight& flight, std::size_t key, Easing ease);

// Removes a key; the keys after the first that goes keep their times less the
// new first key's, so that the flight still starts at 0.
void RemoveKey(Flight& flight, std::size_t key);

// Swaps the pictures of keys `key` and `key + 1`; the times stay where they
// are, so the order of times holds.
std::string SwapWithNext(Flight& flight, std::size_t key);

// Whether the segment that ends at key `key` (1 and on) mixes two pictures
// (keys of different families) instead of moving between them.
bool SegmentCrossfades(const FlightFrames& frames, std::size_t key);

}  // namespace seedscape
