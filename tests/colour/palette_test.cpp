#include "colour/palette.h"

#include <gtest/gtest.h>

#include "maths/maths.h"
#include "render/drawing_surface.h"
#include "render/render_image.h"

namespace seedscape {
namespace {

TEST(BuildPalette, LeavesTheSweepsLastStepWhateverTheChannelsHeld) {
    ImageState state;
    state.grad = 8;
    state.re = -40;
    state.gr = 1e9;
    state.bl = 255;
    BuildPalette(state);

    // The last step of the sweep has yp = 9000: sin(18), sin(90/7), sin(10).
    EXPECT_EQ(state.re, (maths::Sin(9000.0 / 500) + 1) * 126);
    EXPECT_EQ(state.gr, (maths::Sin(9000.0 / 700) + 1) * 126);
    EXPECT_EQ(state.bl, (maths::Sin(9000.0 / 900) + 1) * 126);
    EXPECT_NEAR(state.re, 31.3756069067688, 1e-12);
    EXPECT_NEAR(state.gr, 162.123209222195, 1e-12);
    EXPECT_NEAR(state.bl, 57.4533400279394, 1e-12);
}

TEST(BuildPalette, PlotsAs31_162_57) {
    ImageState state;
    BuildPalette(state);
    EXPECT_EQ(ClampAndRound(state), MakeColour(31, 162, 57));
    EXPECT_EQ(ClampAndRound(state), 31u + 256u * 162u + 65536u * 57u);
}

}  // namespace
}  // namespace seedscape
