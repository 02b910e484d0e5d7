// Exports: at 1x they are the screen's picture; at K x every K-th pixel is the
// screen's pixel wherever no carried value enters it; bands and supersampling
// keep the render order and average in linear light. The window and the
// export draw a recipe's pictures through one DrawRecipe.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "colour/linear_light.h"
#include "export/export_picture.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"
#include "render/render_image.h"
#include "state/image_mother_parameters.h"
#include "state/random_generator.h"
#include "tests/support/read_recipe.h"

namespace seedscape {
namespace {

using testing::ReadRecipe;

ExportOptions Straightforward() {
    ExportOptions options;
    options.pass = RenderSampleColumns;
    options.screen_pass = RenderImage;
    return options;
}

// Recipes of a mother, a child and a chain, with schemes whose colour
// statements fail in places (13, 14, 21) and factors that fail where a
// reference point lies on a pixel (11, 22).
const char* const kRecipes[] = {
    "seedscape/1 seed=449139",
    "seedscape/1 seed=12345 barva=14 press=200,50@5",
    "seedscape/1 seed=31337 barva=13 fak01=11 fak02=22 press=145,105@2 press=10.5,200@3",
    "seedscape/1 seed=888888 barva=21 press=60,150@7",
};

class EveryRecipe : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryRecipe, AtScaleOneIsTheScreenPicture) {
    const Recipe recipe = ReadRecipe(GetParam());
    const std::optional<RgbImage> exported = RenderExport(recipe, Straightforward());
    ASSERT_TRUE(exported.has_value());
    EXPECT_TRUE(*exported == ToRgb(RenderRecipePicture(recipe, RenderImage)));
}

// Whether a pixel of the 1x picture owes nothing to the pixel before it: all
// three colour statements succeed and the result is the same whatever factor
// and channels were carried in.
bool OwesNothingToThePixelBefore(ImageState state, int column, int row) {
    ColourValue seen[2] = {};
    for (int k = 0; k < 2; ++k) {
        state.i = column;
        state.j = row;
        state.x = (column + state.di) / state.zoomx1 - state.zoomx2;
        state.y = state.zoomy2 - (row + state.dj) / state.zoomy1;
        state.fak = k == 0 ? 0.25 : -0.75;
        state.re = state.gr = state.bl = __builtin_nan("");
        ComputePixel(state);
        if (std::isnan(state.re) || std::isnan(state.gr) || std::isnan(state.bl)) return false;
        seen[k] = ClampAndRound(state);
    }
    return seen[0] == seen[1];
}

TEST_P(EveryRecipe, EveryKthPixelIsTheScreenPixelWhereNothingIsCarried) {
    Recipe recipe = ReadRecipe(GetParam());
    const RgbImage screen = ToRgb(RenderRecipePicture(recipe, RenderImage));
    // The record the named picture is drawn from, view and all.
    ImageState state = RecipeMotherRecord(recipe);
    if (!recipe.presses.empty()) {
        const RecipePress last = recipe.presses.back();
        const double f = last.f;
        state.di = (last.x - 145) * f;
        state.dj = (last.y - 105) * f;
        state.zoomx1 *= f;
        state.zoomx2 *= 1 / f;
        state.zoomy1 *= f;
        state.zoomy2 *= 1 / f;
    }
    for (const int scale : {2, 4}) {
        recipe.scale = scale;
        // Through the fast pass, which draws what the straightforward one does.
        const std::optional<RgbImage> exported = RenderExport(recipe, {});
        ASSERT_TRUE(exported.has_value());
        int compared = 0;
        for (int m = 0; m < screen.width; ++m) {
            for (int n = 0; n < screen.height; ++n) {
                if (!OwesNothingToThePixelBefore(state, m, n)) continue;
                ++compared;
                const std::uint8_t* want = screen.At(m, n);
                const std::uint8_t* got = exported->At(m * scale, n * scale);
                ASSERT_TRUE(std::equal(want, want + 3, got))
                    << "scale " << scale << ", pixel (" << m << ", " << n << ")";
            }
        }
        EXPECT_GT(compared, screen.width * screen.height / 4) << "too few pixels to compare";
    }
}

INSTANTIATE_TEST_SUITE_P(Export, EveryRecipe, ::testing::ValuesIn(kRecipes));

// The fast pass, the export's own, draws what the straightforward one draws:
// at scales whose samples fall between the image's pixels, supersampled,
// through failing factors and colour statements, and in a child's view.
class FastPass : public ::testing::TestWithParam<const char*> {};

TEST_P(FastPass, DrawsTheStraightforwardExport) {
    const Recipe recipe = ReadRecipe(GetParam());
    const std::optional<RgbImage> fast = RenderExport(recipe, {});
    ASSERT_TRUE(fast.has_value());
    EXPECT_TRUE(fast == RenderExport(recipe, Straightforward()));
}

INSTANTIATE_TEST_SUITE_P(
    Export, FastPass,
    ::testing::Values("seedscape/1 seed=12345 barva=14 press=200,50@5 scale=2",
                      "seedscape/1 seed=31337 barva=13 fak01=11 fak02=22 press=145,105@2 "
                      "press=10.5,200@3 supersample=2",
                      "seedscape/1 seed=888888 barva=18 scale=3 supersample=2"));

struct BandCase {
    const char* name;
    bool fast;
    int scale;
    std::vector<int> widths;  // 0: sized by the time each band takes
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class Bands : public ::testing::TestWithParam<BandCase> {};

TEST_P(Bands, OfAnyWidthGiveThePixelsOfOnePass) {
    const BandCase& c = GetParam();
    Recipe recipe = ReadRecipe("seedscape/1 seed=31337 barva=13 fak01=11 press=145,105@2");
    recipe.scale = c.scale;
    ExportOptions options = c.fast ? ExportOptions{} : Straightforward();
    options.band_columns = 1000;
    const std::optional<RgbImage> whole = RenderExport(recipe, options);
    for (const int band : c.widths) {
        options.band_columns = band;
        EXPECT_TRUE(RenderExport(recipe, options) == whole) << "bands of " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Export, Bands,
                         ::testing::Values(BandCase{"straightforward", false, 2, {1, 64}},
                                           BandCase{"fast", true, 3, {1, 7, 64, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Export, SupersamplingAveragesEachBlockInLinearLight) {
    const Recipe recipe = ReadRecipe("seedscape/1 seed=12345 barva=14 supersample=3");
    const std::optional<RgbImage> exported = RenderExport(recipe, Straightforward());
    ASSERT_TRUE(exported.has_value());
    // The samples, rendered in one pass over the fine grid.
    ImageState state = RecipeMotherRecord(recipe);
    const SampleGrid grid = ScaledGrid(state, 1, 3);
    PixelImage samples(grid.columns(), grid.rows());
    RenderSampleColumns(state, grid, 0, grid.columns(), samples);
    for (int u = 0; u < exported->width; u += 7) {
        for (int v = 0; v < exported->height; v += 5) {
            for (int k = 0; k < 3; ++k) {
                double sum = 0;
                for (int a = 0; a < 3; ++a) {
                    for (int b = 0; b < 3; ++b) {
                        const ColourValue colour = samples.At(3 * u + a, 3 * v + b);
                        sum +=
                            LinearFromSrgb(static_cast<std::uint8_t>((colour >> (8 * k)) & 0xFF));
                    }
                }
                EXPECT_EQ(exported->At(u, v)[k], SrgbFromLinear(sum / 9)) << u << ", " << v;
            }
        }
    }
}

TEST(Export, TheSampleGridIsCentredOnEachOutputPixel) {
    const ImageState state = ImageMotherRecord(1);
    const SampleGrid grid = ScaledGrid(state, 2, 4);
    ASSERT_EQ(grid.columns(), 291 * 8);
    // Output column 1 of a 2x export lies at image column 0.5; its four samples
    // at 0.5 + (-3/8, -1/8, 1/8, 3/8) / 2.
    EXPECT_EQ(grid.i[4], 0.5 - 3.0 / 16);
    EXPECT_EQ(grid.i[7], 0.5 + 3.0 / 16);
    EXPECT_EQ(grid.j[0], -3.0 / 16);
    const SampleGrid plain = ImageGrid(state);
    EXPECT_EQ(plain.i[290], 290);
    EXPECT_EQ(plain.x[290], 290 / 72.0 - 2);
    EXPECT_EQ(plain.y[210], 2 - 210 / 52.0);
}

TEST(LinearLight, EveryChannelValueSurvivesTheRoundTrip) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(SrgbFromLinear(LinearFromSrgb(static_cast<std::uint8_t>(v))), v);
    }
    EXPECT_EQ(LinearFromSrgb(0), 0);
    EXPECT_EQ(LinearFromSrgb(255), 1);
    EXPECT_NEAR(LinearFromSrgb(128), 0.2158605, 1e-7);  // mid grey is a fifth of the light
    // Half the light of white is not 128 but 188.
    EXPECT_EQ(SrgbFromLinear(0.5), 188);
}

// What DrawRecipe showed of one picture.
struct Seen {
    std::size_t number;
    bool last;
    TilePlace place;
    double f;
    double zoomx1;
};

struct DrawRow {
    const char* name;
    const char* recipe;
};

void PrintTo(const DrawRow& row, std::ostream* os) {
    *os << row.name;
}

class WindowAndExport : public ::testing::TestWithParam<DrawRow> {};

TEST_P(WindowAndExport, DrawEveryPictureInOrderAndTheSamePixels) {
    const Recipe recipe = ReadRecipe(GetParam().recipe);
    // The window's path, on a record that has drawn another picture first,
    // so that whatever it carries over would show: its mother readied in
    // the record as the window holds it, each picture drawn on a canvas of
    // the whole grid as it comes.
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    const Recipe before = ReadRecipe("seedscape/1 seed=777 barva=21 press=5,5@9");
    ImageState state = RecipeMotherRecord(before);
    DrawRecipe(before, state,
               [&](ImageState& view, const RecipePicture&) { RenderImageFast(view, canvas); });
    RandomGenerator random;
    StartRecipeMother(recipe, 0.0, state, random);
    const double base_zoom = state.zoomx1;
    const double mother_f = state.f;
    std::vector<Seen> seen;
    DrawRecipe(recipe, state, [&](ImageState& view, const RecipePicture& picture) {
        seen.push_back({picture.number, picture.last, TileOffset(view), view.f, view.zoomx1});
        RenderImageFast(view, canvas);
    });

    // Every picture once, in order: each in the next place of the grid,
    // a child magnified by its press's f while it is drawn.
    const std::size_t presses = recipe.presses.size();
    ASSERT_EQ(seen.size(), presses + 1);
    TilePlace place;
    for (std::size_t k = 0; k <= presses; ++k) {
        SCOPED_TRACE(::testing::Message() << "picture " << k);
        EXPECT_EQ(seen[k].number, k);
        EXPECT_EQ(seen[k].last, k == presses);
        EXPECT_EQ(seen[k].place, place);
        const double f = k == 0 ? mother_f : recipe.presses[k - 1].f;
        EXPECT_EQ(seen[k].f, f);
        EXPECT_EQ(seen[k].zoomx1, k == 0 ? base_zoom : base_zoom * f);
        place = NextChildPlace(place);
    }
    // The record as the window holds it after the last picture.
    EXPECT_EQ(state.zoomx1, base_zoom);
    EXPECT_EQ(state.di, 0);
    EXPECT_EQ(TileOffset(state), PlaceOfPicture(recipe));
    EXPECT_EQ(state.f, presses == 0 ? mother_f : recipe.presses.back().f);

    // The window's picture is the export's at 1x, and both are the
    // straightforward pass's.
    const TilePlace at = PlaceOfPicture(recipe);
    const RgbImage window = ToRgb(canvas.Crop(at.x, at.y, kImageWidth, kImageHeight));
    const std::optional<RgbImage> exported = RenderExport(recipe, {});
    ASSERT_TRUE(exported.has_value());
    EXPECT_TRUE(window == *exported);
    EXPECT_TRUE(window == ToRgb(RenderRecipePicture(recipe, RenderImage)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Recipes, WindowAndExport, ::testing::Values(
    DrawRow{"MotherWithASchemeSetByHand", "seedscape/1 seed=449139 barva=7"},
    DrawRow{"ThreePressesWithFactorsAndPointsSetByHand",
            "seedscape/1 seed=31337 barva=13 fak01=11 fak02=22 xt2=0.25 "
            "press=145,105@2 press=10.5,200@3 press=280,7@40"},
    DrawRow{"TenPressesRoundTheGridPastTheMother",
            "seedscape/1 seed=888888 barva=21 dn1=3 press=1,1@1 press=60,150@7 press=290,210@2 "
            "press=100,100@100 press=5,205@4 press=200,20@1 press=145,105@3 press=30,30@9 "
            "press=250,180@5 press=77,77@6"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Export, CancellingStopsAndGivesNothing) {
    const Recipe recipe = ReadRecipe("seedscape/1 seed=5 scale=4");
    ExportOptions options;
    int bands = 0;
    options.progress = [&](double) { return ++bands < 2; };
    EXPECT_FALSE(RenderExport(recipe, options).has_value());
    EXPECT_EQ(bands, 2);
}

}  // namespace
}  // namespace seedscape
