#pragma once

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

// "a number from -180 to 180"
std::string ClosedNumberText(ClosedRange range);

}  // namespace seedscape
