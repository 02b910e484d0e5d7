#include "render/distances.h"

#include <gtest/gtest.h>

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

    EXPECT_EQ(state.r1, 3.5355339059327378);  // the root of 2.5^2 + 2.5^2
    EXPECT_EQ(state.r2, 0);
    EXPECT_EQ(state.r3, 2.3048861143232218);  // the root of 1.5^2 + 1.75^2
}

}  // namespace
}  // namespace seedscape
