#include "render/image_child.h"

#include <gtest/gtest.h>

#include <set>

#include "render/pixel_image.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "tests/support/base_view.h"
#include "tests/support/engine_images.h"
#include "tests/support/recording_surface.h"

namespace seedscape {
namespace {

using testing::BaseViewDifference;
using testing::ImageAtPlace;
using testing::Plotted;
using testing::RecordingSurface;

// The places children take after a new image mother: along the rows, and
// after the last one back to the place right of the mother.
const int kChildPlaces[] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2};

// Whether the tile offset is the corner of grid place `number`.
bool IsAtPlace(const ImageState& state, int number) {
    return state.zamikx == PlaceNumber(number).x && state.zamiky == PlaceNumber(number).y;
}

TEST(AdvanceTileOffset, FillsTheGridAndNeverReturnsToTheMothersPlace) {
    ImageState state;
    for (const int place : kChildPlaces) {
        AdvanceTileOffset(state);
        EXPECT_TRUE(IsAtPlace(state, place))
            << "place " << place << ", not (" << state.zamikx << ", " << state.zamiky << ")";
    }
}

// A one-pixel mother keeps the press tests fast; which presses count and
// where children go does not depend on the image's size.
ImageState TinyMother() {
    ImageState state = ImageMotherRecord(2024);
    state.sir = 0;
    state.vis = 0;
    return state;
}

TEST(RenderImageChild, DrawsNineChildrenIntoTheGridPlacesInTurn) {
    ImageState state = TinyMother();
    RecordingSurface surface(state);
    for (int child = 0; child < 10; ++child) {
        SCOPED_TRACE(child + 1);
        EXPECT_TRUE(RenderImageChild(state, surface, 100, 100, RenderImage));
        ASSERT_EQ(surface.plotted.size(), static_cast<std::size_t>(child + 1));
        const Plotted& pixel = surface.plotted.back();
        EXPECT_EQ(pixel.x, PlaceNumber(kChildPlaces[child]).x);
        EXPECT_EQ(pixel.y, PlaceNumber(kChildPlaces[child]).y);
        EXPECT_FALSE(pixel.x == 0 && pixel.y == 0) << "the mother's place";
    }
}

TEST(RenderImageChild, CountsOnlyPressesOnTheMother) {
    struct Row {
        float x, y;
        bool counts;
    };
    constexpr float kRight = kImageWidth - 1;  // the mother's last column and row
    constexpr float kBottom = kImageHeight - 1;
    const Row rows[] = {{kRight, kBottom, true},    {0, 0, true},
                        {145, 105, true},           {kRight + 1, 0, false},
                        {kRight + 1, 100, false},   {0, kBottom + 1, false},
                        {200, kBottom + 1, false},  {kRight + 1, kBottom + 1, false},
                        {kRight + 0.5f, 50, false}, {50, kBottom + 0.5f, false},
                        {600, 300, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "press at (" << row.x << ", " << row.y << ")");
        ImageState state = TinyMother();
        state.zamikx = PlaceNumber(5).x;
        state.zamiky = PlaceNumber(5).y;
        RecordingSurface surface(state);
        EXPECT_EQ(RenderImageChild(state, surface, row.x, row.y, RenderImage), row.counts);
        EXPECT_EQ(surface.plotted.size(), row.counts ? 1u : 0u);
        EXPECT_TRUE(IsAtPlace(state, row.counts ? 6 : 5));
        // Either way the view is the base view afterwards.
        EXPECT_EQ(BaseViewDifference(state), "");
    }
}

TEST(RenderImageChild, RecentresAndMagnifiesOnlyWhileTheChildIsDrawn) {
    ImageState state = ImageMotherRecord(2024);
    state.f = 5;
    RecordingSurface surface(state);
    // The straightforward pass keeps the record up to date pixel by pixel.
    ASSERT_TRUE(RenderImageChild(state, surface, 200, 50, RenderImage));

    ASSERT_EQ(surface.plotted.size(), std::size_t{kImageWidth * kImageHeight});
    const Plotted& first = surface.plotted.front();
    EXPECT_EQ(first.di, 275);   // 5 * (200 - 145)
    EXPECT_EQ(first.dj, -275);  // 5 * (50 - 105)
    EXPECT_EQ(first.zoomx1, 360);
    EXPECT_EQ(first.zoomy1, 260);
    EXPECT_EQ(first.zoomx2, (1.0 / 5) * 2);
    EXPECT_EQ(first.zoomy2, (1.0 / 5) * 2);
    EXPECT_EQ(first.x, PlaceNumber(1).x);
    EXPECT_EQ(first.y, PlaceNumber(1).y);
    EXPECT_EQ(surface.plotted.back().x, PlaceNumber(1).x + kImageWidth - 1);
    EXPECT_EQ(surface.plotted.back().y, PlaceNumber(1).y + kImageHeight - 1);

    // The child shows the pressed point's neighbourhood five times enlarged:
    // x = (i / 5 + 200 - 145) / 72 - 2 / 5, y = 2 / 5 - (j / 5 + 50 - 105) / 52.
    for (const Plotted& p :
         {surface.plotted[0], surface.plotted[145 * kImageHeight + 105], surface.plotted.back()}) {
        EXPECT_NEAR(p.px, (p.i / 5 + 55) / 72 - 0.4, 1e-14) << p.i;
        EXPECT_NEAR(p.py, 0.4 - (p.j / 5 - 55) / 52, 1e-14) << p.j;
    }

    EXPECT_EQ(state.xt, 200);
    EXPECT_EQ(state.yt, 50);
    EXPECT_EQ(BaseViewDifference(state), "");
}

// A pass that draws nothing and keeps the record as the pass saw it.
struct SpyPass {
    ImageState* seen;
    void operator()(ImageState& state, DrawingSurface&) const { *seen = state; }
};

TEST(RenderImageChild, RestoresTheBaseViewExactlyForEveryMagnification) {
    ImageState state = ImageMotherRecord(2024);
    PixelImage window(1, 1);
    for (int f = 1; f <= 100; ++f) {
        SCOPED_TRACE(f);
        state.f = f;
        ImageState seen;
        ASSERT_TRUE(RenderImageChild(state, window, 17, 190, SpyPass{&seen}));
        EXPECT_EQ(seen.zoomx1, f * 72.0);
        EXPECT_EQ(seen.zoomy1, f * 52.0);
        EXPECT_EQ(seen.zoomx2, (1.0 / f) * 2);
        EXPECT_EQ(seen.zoomy2, (1.0 / f) * 2);
        EXPECT_EQ(seen.di, f * (17.0 - 145));
        EXPECT_EQ(seen.dj, f * (190.0 - 105));
        ASSERT_EQ(BaseViewDifference(state), "");
    }
}

TEST(RenderImageChild, APressOnTheCentreKeepsTheViewCentred) {
    ImageState state = ImageMotherRecord(2024);
    state.f = 7;
    ImageState seen;
    PixelImage window(1, 1);
    ASSERT_TRUE(RenderImageChild(state, window, 145, 105, SpyPass{&seen}));
    EXPECT_EQ(seen.di, 0);
    EXPECT_EQ(seen.dj, 0);
    EXPECT_EQ(seen.zoomx1, 7 * 72.0);
}

// A mother whose every pixel writes all three channels (scheme 3 cannot
// fail), so no pixel depends on the one drawn before it.
ImageState SchemeThreeMother() {
    ImageState state = ImageMotherRecord(5);
    state.barva = 3;
    state.fak01 = 3;
    state.fak02 = 16;
    state.dn1 = 7;
    state.dn2 = 11;
    state.dn3 = 13;
    return state;
}

TEST(RenderImageChild, AtMagnificationOneTheChildIsTheMotherShifted) {
    ImageState state = SchemeThreeMother();
    PixelImage window(kCanvasWidth, kCanvasHeight);
    RenderImage(state, window);
    state.f = 1;
    ASSERT_TRUE(RenderImageChild(state, window, 200, 50, RenderImage));

    // The pressed point (200, 50) sits at the child's (145, 105).
    std::set<ColourValue> colours;
    const PixelImage mother = ImageAtPlace(window, 0);
    const PixelImage child = ImageAtPlace(window, 1);
    for (int i = 0; i + 55 < kImageWidth; ++i) {
        for (int j = 55; j < kImageHeight; ++j) {
            ASSERT_EQ(child.At(i, j), mother.At(i + 55, j - 55)) << i << ", " << j;
            colours.insert(child.At(i, j));
        }
    }
    EXPECT_GT(colours.size(), 10u);
}

TEST(RenderImageChild, TwoPressesOnOnePointGiveTheSameChildInTwoPlaces) {
    ImageState state = ImageMotherRecord(777);
    PixelImage window(kCanvasWidth, kCanvasHeight);
    RenderImage(state, window);
    const PixelImage mother = ImageAtPlace(window, 0);
    state.f = 12;
    ASSERT_TRUE(RenderImageChild(state, window, 31, 177, RenderImage));
    ASSERT_TRUE(RenderImageChild(state, window, 31, 177, RenderImage));
    EXPECT_EQ(ImageAtPlace(window, 1), ImageAtPlace(window, 2));
    EXPECT_NE(ImageAtPlace(window, 1), mother);
    EXPECT_EQ(ImageAtPlace(window, 0), mother);  // children never draw over the mother
}

}  // namespace
}  // namespace seedscape
