#pragma once

#include <cstdint>

#include "state/image_state.h"

namespace seedscape {

// The raw channels re, gr, bl of one pixel by colour scheme `barva`.
// Statements run w, re, gr, bl in that order; the first one that fails ends
// the call and the channels it did not reach keep their previous values.
// Returns false when a statement failed.
bool ComputePixelColour(ImageState& state);

// The scheme that `barva` selects: 1 to 22, 1 for 0 and 23..255, and 0 (none,
// the call fails before any channel) below 0 or above 255.
int SelectScheme(double barva);

// n * n as a 32-bit integer product; one that does not fit fails.
class Checked;
Checked IntegerSquare(std::int32_t n);

}  // namespace seedscape
