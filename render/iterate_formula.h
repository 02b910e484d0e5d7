#pragma once

#include "state/image_state.h"

namespace seedscape {

// Sets `fak` by the factor formula that `fak00` names (1 to 25). When the
// formula fails, `fak` keeps its previous value and false is returned.
bool ComputeFactor(ImageState& state);

// The escape-time iteration of one pixel, from the seed the render pass left:
// z <- z^2 + F2*cr + i*F1*ci while n < 100 and the last squares sum below 4.
void IterateFormula(ImageState& state);

}  // namespace seedscape
