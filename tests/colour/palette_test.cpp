#include "colour/palette.h"

#include <gtest/gtest.h>

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

    // The last step of the sweep has yp = 9000: (sin(18) + 1) * 126, and
    // sin(90 / 7) and sin(10) likewise. Pinned to the last bit: the palette
    // colours every pixel that fails before it writes a channel.
    EXPECT_EQ(state.yp, 9000);
    EXPECT_EQ(state.re, 31.375606906768816);
    EXPECT_EQ(state.gr, 162.12320922219462);
    EXPECT_EQ(state.bl, 57.45334002793941);
}

TEST(BuildPalette, PlotsAs31_162_57) {
    ImageState state;
    BuildPalette(state);
    EXPECT_EQ(ClampAndRound(state), MakeColour(31, 162, 57));
    EXPECT_EQ(ClampAndRound(state), 31u + 256u * 162u + 65536u * 57u);
}

}  // namespace
}  // namespace seedscape
