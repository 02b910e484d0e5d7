#pragma once

#include "app/grid/canvas.h"
#include "colour/grading.h"
#include "state/image_state.h"

namespace seedscape {

// A press at (x, y): on the image mother it draws a child into the next grid
// place, graded as the mother it comes from, and redraws the indicator;
// anywhere else it does nothing. Returns whether a child was drawn.
bool ShowImageChild(ImageState& state, Canvas& canvas, float x, float y, const Grading& grading);

}  // namespace seedscape
