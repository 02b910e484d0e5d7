#pragma once

#include <cstdint>
#include <string>

#include "state/parameter_ranges.h"

namespace seedscape {

// How messages, help texts and placeholders word a range, from its limits.

// "1 to 1000000"
std::string FromTo(WholeRange range);

// "a whole number from 1 to 1000000"
std::string WholeNumberText(WholeRange range);

// "a number from -1 up to but not including 1"
std::string RealNumberText(RealRange range);

// "a time in seconds from 0 to 3600, with at most 6 digits after the point"
std::string SecondsText(std::int64_t most_seconds);

// "a number from -180 to 180"
std::string ClosedNumberText(ClosedRange range);

}  // namespace seedscape
