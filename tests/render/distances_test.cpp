#include "render/distances.h"

#include <gtest/gtest.h>

#include <cmath>

namespace seedscape {
namespace {

TEST(ComputeDistances, MeasuresFromThePixelToEachReferencePoint) {
    ImageState state;
    state.x = -2;
    state.y = 2;
    state.xt1 = 0.5;
    state.yt1 = -0.5;
    state.xt2 = -2;  // the pixel itself
    state.yt2 = 2;
    state.xt3 = -0.5;
    state.yt3 = 3.75;  // above and to the right: both differences change sign
    ComputeDistances(state);

    EXPECT_EQ(state.r1, std::sqrt(6.25 + 6.25));
    EXPECT_NEAR(state.r1, 3.5355339059327378, 1e-15);
    EXPECT_EQ(state.r2, 0);
    EXPECT_EQ(state.r3, std::sqrt(1.5 * 1.5 + 1.75 * 1.75));
}

}  // namespace
}  // namespace seedscape
