#pragma once

#include "state/image_state.h"

namespace seedscape {

// r1, r2, r3: distances from the pixel's plane point (x, y) to the image's
// three reference points.
void ComputeDistances(ImageState& state);

}  // namespace seedscape
