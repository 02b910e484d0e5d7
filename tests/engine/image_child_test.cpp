#include "render/image_child.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/pixel_image.h"
#include "render/render_image.h"
#include "test_support.h"

namespace seedscape {
namespace {

using testing::ExpectBaseView;
using testing::Plotted;
using testing::RecordingSurface;

using Place = std::pair<double, double>;

// The places children take after a new image mother: along the rows, and
// after the last one back to the place right of the mother.
const Place kChildPlaces[] = {{300, 0}, {600, 0},   {0, 220},   {300, 220}, {600, 220},
                              {0, 440}, {300, 440}, {600, 440}, {300, 0},   {600, 0}};

TEST(AdvanceTileOffset, FillsTheGridAndNeverReturnsToTheMothersPlace) {
    ImageState state;
    for (const Place& place : kChildPlaces) {
        AdvanceTileOffset(state);
        EXPECT_EQ((Place{state.zamikx, state.zamiky}), place);
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
        EXPECT_EQ((Place{pixel.x, pixel.y}), kChildPlaces[child]);
        EXPECT_FALSE(pixel.x == 0 && pixel.y == 0) << "the mother's place";
    }
}

TEST(RenderImageChild, CountsOnlyPressesOnTheMother) {
    struct Row {
        float x, y;
        bool counts;
    };
    const Row rows[] = {{290, 210, true},    {0, 0, true},      {145, 105, true},
                        {291, 0, false},     {291, 100, false}, {0, 211, false},
                        {200, 211, false},   {291, 211, false}, {290.5f, 50, false},
                        {50, 210.5f, false}, {600, 300, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "press at (" << row.x << ", " << row.y << ")");
        ImageState state = TinyMother();
        state.zamikx = 600;
        state.zamiky = 220;
        RecordingSurface surface(state);
        EXPECT_EQ(RenderImageChild(state, surface, row.x, row.y, RenderImage), row.counts);
        EXPECT_EQ(surface.plotted.size(), row.counts ? 1u : 0u);
        EXPECT_EQ(state.zamikx, row.counts ? 0 : 600);
        EXPECT_EQ(state.zamiky, row.counts ? 440 : 220);
        // Either way the view is the base view afterwards.
        ExpectBaseView(state);
    }
}

TEST(RenderImageChild, RecentresAndMagnifiesOnlyWhileTheChildIsDrawn) {
    ImageState state = ImageMotherRecord(2024);
    state.f = 5;
    RecordingSurface surface(state);
    // The straightforward pass keeps the record up to date pixel by pixel.
    ASSERT_TRUE(RenderImageChild(state, surface, 200, 50, RenderImage));

    ASSERT_EQ(surface.plotted.size(), 61401u);
    const Plotted& first = surface.plotted.front();
    EXPECT_EQ(first.di, 275);   // 5 * (200 - 145)
    EXPECT_EQ(first.dj, -275);  // 5 * (50 - 105)
    EXPECT_EQ(first.zoomx1, 360);
    EXPECT_EQ(first.zoomy1, 260);
    EXPECT_EQ(first.zoomx2, (1.0 / 5) * 2);
    EXPECT_EQ(first.zoomy2, (1.0 / 5) * 2);
    EXPECT_EQ(first.x, 300);
    EXPECT_EQ(first.y, 0);
    EXPECT_EQ(surface.plotted.back().x, 590);
    EXPECT_EQ(surface.plotted.back().y, 210);

    // The child shows the pressed point's neighbourhood five times enlarged:
    // x = (i / 5 + 200 - 145) / 72 - 2 / 5, y = 2 / 5 - (j / 5 + 50 - 105) / 52.
    for (const Plotted& p :
         {surface.plotted[0], surface.plotted[145 * 211 + 105], surface.plotted.back()}) {
        EXPECT_NEAR(p.px, (p.i / 5 + 55) / 72 - 0.4, 1e-14) << p.i;
        EXPECT_NEAR(p.py, 0.4 - (p.j / 5 - 55) / 52, 1e-14) << p.j;
    }

    EXPECT_EQ(state.xt, 200);
    EXPECT_EQ(state.yt, 50);
    ExpectBaseView(state);
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
        ASSERT_EQ(state.zoomx1, 72);
        ASSERT_EQ(state.zoomy1, 52);
        ASSERT_EQ(state.zoomx2, 2);
        ASSERT_EQ(state.zoomy2, 2);
        ASSERT_EQ(state.di, 0);
        ASSERT_EQ(state.dj, 0);
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
    PixelImage window(891, 651);
    RenderImage(state, window);
    state.f = 1;
    ASSERT_TRUE(RenderImageChild(state, window, 200, 50, RenderImage));

    // The pressed point (200, 50) sits at the child's (145, 105).
    std::set<ColourValue> colours;
    for (int i = 0; i + 55 <= 290; ++i) {
        for (int j = 55; j <= 210; ++j) {
            ASSERT_EQ(window.At(300 + i, j), window.At(i + 55, j - 55)) << i << ", " << j;
            colours.insert(window.At(300 + i, j));
        }
    }
    EXPECT_GT(colours.size(), 10u);
}

TEST(RenderImageChild, TwoPressesOnOnePointGiveTheSameChildInTwoPlaces) {
    ImageState state = ImageMotherRecord(777);
    PixelImage window(891, 651);
    RenderImage(state, window);
    const PixelImage mother = window.Crop(0, 0, 291, 211);
    state.f = 12;
    ASSERT_TRUE(RenderImageChild(state, window, 31, 177, RenderImage));
    ASSERT_TRUE(RenderImageChild(state, window, 31, 177, RenderImage));
    EXPECT_EQ(window.Crop(300, 0, 291, 211), window.Crop(600, 0, 291, 211));
    EXPECT_NE(window.Crop(300, 0, 291, 211), mother);
    EXPECT_EQ(window.Crop(0, 0, 291, 211), mother);  // children never draw over the mother
}

}  // namespace
}  // namespace seedscape
