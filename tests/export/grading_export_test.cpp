// A graded export is the ungraded samples graded: each pixel at 1x and at
// one sample a pixel, each linear-light average when supersampled. The
// window's drawing, the picture at 1x and the export at 1x agree.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "colour/grading.h"
#include "colour/linear_light.h"
#include "export/export_picture.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"
#include "render/render_image.h"
#include "tests/support/read_recipe.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using testing::ReadRecipe;

// Hands every sample on and keeps a copy of it.
class KeptSamples : public DrawingSurface {
  public:
    KeptSamples(DrawingSurface& target, PixelImage& samples) : target_(target), samples_(samples) {}
    void SetPixel(int x, int y, ColourValue colour) override {
        samples_.SetPixel(x, y, colour);
        target_.SetPixel(x, y, colour);
    }

  private:
    DrawingSurface& target_;
    PixelImage& samples_;
};

SrgbColour Channels(ColourValue colour) {
    return {static_cast<std::uint8_t>(RedOf(colour)), static_cast<std::uint8_t>(GreenOf(colour)),
            static_cast<std::uint8_t>(BlueOf(colour))};
}

// The export as it ought to be, from the straightforward pass's samples:
// each sample, or each S x S block averaged in linear light, then graded.
// Without a grading, exactly what exports were before grading existed.
RgbImage Expected(const PixelImage& samples, const Recipe& recipe) {
    const int s = recipe.supersample;
    const Grader grader(recipe.grading);
    RgbImage image(ExportWidth(recipe), ExportHeight(recipe));
    for (int u = 0; u < image.width; ++u) {
        for (int v = 0; v < image.height; ++v) {
            SrgbColour pixel;
            if (s == 1) {
                pixel = grader.GradeSrgb(Channels(samples.At(u, v)));
            } else {
                LinearColour sum{};
                for (int a = 0; a < s; ++a) {
                    for (int b = 0; b < s; ++b) {
                        const SrgbColour sample = Channels(samples.At(s * u + a, s * v + b));
                        for (int k = 0; k < 3; ++k) sum[k] += LinearFromSrgb(sample[k]);
                    }
                }
                for (double& channel : sum) channel /= s * s;
                if (recipe.grading.IsNeutral()) {
                    for (int k = 0; k < 3; ++k) pixel[k] = SrgbFromLinear(sum[k]);
                } else {
                    pixel = grader.GradeLight(sum);
                }
            }
            std::copy(pixel.begin(), pixel.end(), image.At(u, v));
        }
    }
    return image;
}

class GradedExport : public ::testing::TestWithParam<const char*> {};

TEST_P(GradedExport, IsTheStraightforwardSamplesGraded) {
    const Recipe recipe = ReadRecipe(GetParam());
    PixelImage samples(kImageWidth * recipe.scale * recipe.supersample,
                       kImageHeight * recipe.scale * recipe.supersample);
    ExportOptions options;
    if (recipe.scale == 1 && recipe.supersample == 1) {
        // The picture at 1x is the screen's, drawn whole by the screen pass.
        Recipe ungraded = recipe;
        ungraded.grading = {};
        samples = RenderRecipePicture(ungraded, RenderImage);
        options.screen_pass = RenderImage;
    } else {
        options.pass = [&](ImageState& state, const SampleGrid& grid, int first, int end,
                           DrawingSurface& surface) {
            KeptSamples kept(surface, samples);
            RenderSampleColumns(state, grid, first, end, kept);
        };
    }
    const std::optional<RgbImage> exported = RenderExport(recipe, options);
    ASSERT_TRUE(exported.has_value());
    EXPECT_TRUE(*exported == Expected(samples, recipe));
    // The fast pass grades the same samples.
    EXPECT_TRUE(RenderExport(recipe, {}) == exported);
}

INSTANTIATE_TEST_SUITE_P(
    Export, GradedExport,
    ::testing::Values("seedscape/1 seed=449139 barva=7 hue=30",
                      "seedscape/1 seed=12345 barva=14 saturation=0.4 gamma=2.2 press=200,50@5",
                      "seedscape/1 seed=888888 barva=21 exposure=1.5 scale=2",
                      "seedscape/1 seed=31337 barva=13 hue=-150 saturation=1.8 exposure=-0.7 "
                      "gamma=0.6 press=145,105@2 supersample=2",
                      "seedscape/1 seed=449139 hue=75 exposure=0.3 scale=2 supersample=3",
                      "seedscape/1 seed=31337 barva=13 press=145,105@2 supersample=2",
                      "seedscape/1 seed=888888 barva=21 scale=2"),
    [](const auto& info) { return testing::RowName(info.param); });

// The window draws a recipe through a GradedSurface on its canvas, as
// ShowRecipe does; the picture at 1x (thumbnails) and the export at 1x must
// show the same bytes, and the grading must change them.
TEST(GradedScreen, IsTheExportAtOneX) {
    const Recipe recipe = ReadRecipe(
        "seedscape/1 seed=31337 barva=13 hue=-40 saturation=1.3 gamma=1.4 press=145,105@2 "
        "press=10.5,200@3");
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    GradedSurface graded(canvas, recipe.grading);
    ImageState state = RecipeMotherRecord(recipe);
    DrawRecipe(recipe, state,
               [&](ImageState& view, const RecipePicture&) { RenderImageFast(view, graded); });
    const TilePlace at = PlaceOfPicture(recipe);
    const RgbImage window = ToRgb(canvas.Crop(at.x, at.y, kImageWidth, kImageHeight));

    EXPECT_TRUE(window == RenderExport(recipe, {}));
    EXPECT_TRUE(window == ToRgb(RenderRecipePicture(recipe, RenderImageFast)));
    Recipe ungraded = recipe;
    ungraded.grading = {};
    EXPECT_FALSE(window == ToRgb(RenderRecipePicture(ungraded, RenderImageFast)));
}

}  // namespace
}  // namespace seedscape
