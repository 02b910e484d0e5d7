#include "render/render_image.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "colour/palette.h"
#include "render/fast/fast_render.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "tests/support/recording_surface.h"

namespace seedscape {
namespace {

using testing::RecordingSurface;

const ColourValue kPalette = MakeColour(31, 162, 57);

// The straightforward pass and the fast one must behave alike in everything a
// pass shows: the pixels, and the record it leaves.
struct NamedPass {
    const char* name;
    void (*run)(ImageState&, DrawingSurface&);
};

void PrintTo(const NamedPass& pass, std::ostream* os) {
    *os << pass.name << " pass";
}

class EveryPass : public ::testing::TestWithParam<NamedPass> {
  protected:
    void Render(ImageState& state, DrawingSurface& surface) const {
        GetParam().run(state, surface);
    }
};

INSTANTIATE_TEST_SUITE_P(RenderPass, EveryPass,
                         ::testing::Values(NamedPass{"straightforward", RenderImage},
                                           NamedPass{"fast", RenderImageFast}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EveryPass, SetsEveryPixelOnceColumnByColumnAtTheTileOffset) {
    const TilePlace place = PlaceNumber(7);
    ImageState state = ImageMotherRecord(1234);
    state.zamikx = place.x;
    state.zamiky = place.y;
    RecordingSurface surface(state);
    Render(state, surface);

    ASSERT_EQ(surface.plotted.size(), std::size_t{kImageWidth * kImageHeight});
    for (std::size_t k = 0; k < surface.plotted.size(); ++k) {
        const int i = static_cast<int>(k / kImageHeight);
        const int j = static_cast<int>(k % kImageHeight);
        ASSERT_EQ(surface.plotted[k].x, place.x + i) << "pixel " << k;
        ASSERT_EQ(surface.plotted[k].y, place.y + j) << "pixel " << k;
    }
    EXPECT_EQ(surface.plotted.front().x, place.x);
    EXPECT_EQ(surface.plotted.front().y, place.y);
    EXPECT_EQ(surface.plotted.back().x, place.x + kImageWidth - 1);
    EXPECT_EQ(surface.plotted.back().y, place.y + kImageHeight - 1);
}

TEST(RenderImage, MapsTheBaseViewWithYGrowingUpwards) {
    ImageState state = ImageMotherRecord(1234);
    RecordingSurface surface(state);
    RenderImage(state, surface);
    const auto at = [&](int i, int j) {
        return surface.plotted[static_cast<std::size_t>(i * kImageHeight + j)];
    };

    EXPECT_EQ(at(0, 0).px, -2);
    EXPECT_EQ(at(0, 0).py, 2);
    EXPECT_EQ(at(144, 77).px, 0);
    EXPECT_EQ(at(13, 104).py, 0);
    EXPECT_EQ(at(288, 104).px, 2);  // c = (2, 0)
    EXPECT_EQ(at(288, 104).py, 0);
    EXPECT_NEAR(at(290, 210).px, 2.0277777777777777, 1e-15);
    EXPECT_NEAR(at(290, 210).py, -2.0384615384615383, 1e-15);
    EXPECT_GT(at(5, 10).py, at(5, 11).py);
    EXPECT_LT(at(5, 10).px, at(6, 10).px);
}

TEST(ClampAndRound, LimitsToTheByteRangeAndRoundsHalfToEven) {
    struct Row {
        const char* what;
        double re, gr, bl;
        int red, green, blue;
        double kept_re, kept_gr, kept_bl;
    };
    const Row rows[] = {
        {"halves round to even", 254.5, 253.5, 0.5, 254, 254, 0, 254.5, 253.5, 0.5},
        {"1.5 rounds up, below 0 and above 255 are limited", 1.5, -3.2, 300, 2, 0, 255, 1.5, 0,
         255},
        {"every channel is limited on its own", 300, 1.5, -3.2, 255, 2, 0, 255, 1.5, 0},
        {"and again", -3.2, 300, 2.5, 0, 255, 2, 0, 255, 2.5},
        {"values near the ends", 255.4, 0.49, 127.5, 255, 0, 128, 255, 0.49, 127.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ImageState state;
        state.re = row.re;
        state.gr = row.gr;
        state.bl = row.bl;
        const ColourValue colour = ClampAndRound(state);
        EXPECT_EQ(colour, static_cast<ColourValue>(row.red + 256 * row.green + 65536 * row.blue));
        EXPECT_EQ(state.re, row.kept_re);
        EXPECT_EQ(state.gr, row.kept_gr);
        EXPECT_EQ(state.bl, row.kept_bl);
    }
}

// A one-column image whose pixels are (-2, 2), (-2, 1.75), (-2, 1.5), ...
ImageState Column(int rows, double barva) {
    ImageState state = ImageMotherRecord(1);
    state.sir = 0;
    state.vis = rows - 1;
    state.zoomy1 = 4;
    state.barva = barva;
    state.fak01 = 1;
    state.fak02 = 1;
    state.xt1 = 0.25;
    state.yt1 = -0.5;
    state.xt2 = 0.5;
    state.yt2 = 0.75;
    state.xt3 = -0.75;
    state.yt3 = 0;
    return state;
}

TEST_P(EveryPass, APixelThatFailsBeforeAnyChannelShowsThePalette) {
    ImageState state = Column(1, 5);  // red divides by r1
    state.xt1 = -2;
    state.yt1 = 2;
    state.re = state.gr = state.bl = 99;
    PixelImage surface(1, 1);
    Render(state, surface);
    EXPECT_EQ(state.r1, 0);
    EXPECT_EQ(surface.At(0, 0), kPalette);
}

TEST_P(EveryPass, TheFirstPixelKeepsThePalettesGreenAndBlueWhenOnlyRedSucceeds) {
    ImageState state = Column(1, 7);  // green takes ln of n r2 r3
    state.xt3 = -2;
    state.yt3 = 2;
    PixelImage surface(1, 1);
    Render(state, surface);

    ASSERT_EQ(state.r3, 0);
    // Red, n ln|n r1 r2| + r2 |sin zr|, is 12.56 here.
    EXPECT_EQ(surface.At(0, 0), MakeColour(13, 162, 57));
}

TEST_P(EveryPass, AChannelAPixelFailsToWriteKeepsThePreviousPixelsValue) {
    ImageState state = Column(2, 7);
    state.xt3 = -2;  // the second pixel
    state.yt3 = 1.75;
    PixelImage surface(1, 2);
    Render(state, surface);

    ASSERT_EQ(state.r3, 0);
    const ColourValue first = surface.At(0, 0);
    const ColourValue second = surface.At(0, 1);
    ASSERT_NE(first, kPalette);  // the first pixel wrote all three channels
    EXPECT_EQ(GreenOf(second), GreenOf(first));
    EXPECT_EQ(BlueOf(second), BlueOf(first));
    EXPECT_EQ(RedOf(second), 12);  // its own red, 12.09; the first pixel's is 13
}

// A single pixel at (0.5, 0) on the first reference point, where factor 11
// fails on every step.
ImageState OnFailingFactors(double fak) {
    ImageState state = Column(1, 1);
    state.zoomx2 = -0.5;
    state.zoomy2 = 0;
    state.xt1 = 0.5;
    state.yt1 = 0;
    state.fak01 = 11;
    state.fak02 = 11;
    state.fak = fak;
    return state;
}

TEST_P(EveryPass, NeverResetsTheFactor) {
    PixelImage surface(1, 1);
    // Nothing has set a factor yet: c is scaled by 0 and z stays at 0.
    ImageState fresh = OnFailingFactors(0);
    Render(fresh, surface);
    EXPECT_EQ(fresh.x, 0.5);
    EXPECT_EQ(fresh.r1, 0);
    EXPECT_EQ(fresh.n, 100);
    EXPECT_EQ(fresh.zr, 0);

    // A factor left by an earlier image scales c: z <- z^2 + 0.375 * 0.5
    // settles on the fixed point 0.25 (the root of z^2 - z + 3/16).
    ImageState carried = OnFailingFactors(0.375);
    Render(carried, surface);
    EXPECT_EQ(carried.fak, 0.375);
    EXPECT_EQ(carried.n, 100);
    EXPECT_NEAR(carried.zr, 0.25, 1e-12);
    EXPECT_EQ(carried.zi, 0);
}

TEST(ComputePixel, CarriesTheFactorFromThePreviousPixel) {
    ImageState state = OnFailingFactors(0);
    state.x = -0.3;  // off the reference point: factor 11 succeeds
    state.y = 0.4;
    ComputePixel(state);
    const double left = state.fak;
    ASSERT_NE(left, 0);

    state.x = 0.5;  // on it: every factor fails
    state.y = 0;
    ComputePixel(state);
    EXPECT_EQ(state.fak, left);
    EXPECT_EQ(state.cr, 0.5);  // the seed is the pixel's own point
    EXPECT_EQ(state.ci, 0);
}

TEST_P(EveryPass, TheSameSeedDrawsTheSamePicture) {
    for (const double seed : {1.0, 48611.0, 999983.0}) {
        SCOPED_TRACE(seed);
        ImageState first = ImageMotherRecord(seed);
        PixelImage a(kImageWidth, kImageHeight);
        Render(first, a);

        ImageState second = ImageMotherRecord(seed);
        second.f = 77;   // magnification does not touch the mother
        second.re = -5;  // nor do channels left by an earlier pass
        second.gr = 999;
        second.bl = 12;
        PixelImage b(kImageWidth, kImageHeight);
        Render(second, b);
        EXPECT_EQ(a, b);

        std::set<ColourValue> colours;
        for (int x = 0; x < kImageWidth; x += 7) {
            for (int y = 0; y < kImageHeight; y += 7) colours.insert(a.At(x, y));
        }
        EXPECT_GT(colours.size(), 1u) << "a one-colour picture proves little";
    }
}

}  // namespace
}  // namespace seedscape
