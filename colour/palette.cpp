#include "colour/palette.h"

#include "maths/maths.h"

namespace seedscape {

void BuildPalette(ImageState& state) {
    // Each step overwrites all three channels, so the last step is the sweep.
    constexpr double kLastStep = 9000;
    state.yp = kLastStep;
    state.re = (maths::Sin(state.yp / 500) + 1) * 126;
    state.gr = (maths::Sin(state.yp / 700) + 1) * 126;
    state.bl = (maths::Sin(state.yp / 900) + 1) * 126;
}

}  // namespace seedscape
