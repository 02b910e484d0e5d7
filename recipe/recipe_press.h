#pragma once

#include "state/parameter_ranges.h"

namespace seedscape {

// A press on the image mother that drew a child, with the magnification it
// was drawn at. The window reports presses in single precision.
struct RecipePress {
    float x = 0;
    float y = 0;
    int f = kStartMagnification;
    friend bool operator==(const RecipePress&, const RecipePress&) = default;
};

}  // namespace seedscape
