#pragma once

#include "app/grid/canvas.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// Draws a fresh seed and every parameter from it, renders the image mother at
// the tile offset (which both callers set to the origin first), shows the
// magnification and prints the credit line.
void NewImageMother(ImageState& state, RandomGenerator& random, Canvas& canvas);

}  // namespace seedscape
