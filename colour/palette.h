#pragma once

#include "state/image_state.h"

namespace seedscape {

// The palette step that starts every render pass: a sine sweep of `yp` from 0
// to 9000 through re, gr and bl. Only its last step's values can be seen.
void BuildPalette(ImageState& state);

}  // namespace seedscape
