#include "render/distances.h"

#include <cmath>

#include "maths/maths.h"

namespace seedscape {

namespace {

double Distance(double x, double y, double px, double py) {
    const double dx = std::fabs(x - px);
    const double dy = std::fabs(y - py);
    return maths::Sqrt(dx * dx + dy * dy);
}

}  // namespace

void ComputeDistances(ImageState& state) {
    state.r1 = Distance(state.x, state.y, state.xt1, state.yt1);
    state.r2 = Distance(state.x, state.y, state.xt2, state.yt2);
    state.r3 = Distance(state.x, state.y, state.xt3, state.yt3);
}

}  // namespace seedscape
