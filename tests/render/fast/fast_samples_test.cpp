// The fast pass over an export's sample grid, band by band, against the
// straightforward one: the same samples bit for bit, and after every band the
// same record, which is all the next band starts from.
#include "render/fast/fast_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "render/fast/fast_render.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "render/sample_grid.h"
#include "state/grid_geometry.h"
#include "tests/render/fast/failing_pixels.h"
#include "tests/render/fast/fast_variants.h"
#include "tests/render/fast/record_equality.h"

namespace seedscape {
namespace {

// The band edges first = e0 <= e1 <= ... = end: bands of `width` columns.
std::vector<int> Bands(int first, int end, int width) {
    std::vector<int> edges = {first};
    while (edges.back() < end) edges.push_back(std::min(edges.back() + width, end));
    return edges;
}

// Renders the bands [edges[k], edges[k + 1]) of the grid one after another
// through the straightforward pass and through every fast variant, each
// from `start`; expects the same record after every band and the same
// samples in the end. Returns the record the bands leave.
ImageState ExpectSameSamples(const ImageState& start, const SampleGrid& grid,
                             const std::vector<int>& edges) {
    const int first = edges.front();
    const int width = edges.back() - first;
    // Each pass draws only the columns it renders; the window around them
    // also shows a sample plotted into a neighbouring band's place.
    PixelImage expected(width, grid.rows());
    ImageWindow expected_window(expected, first, 0, grid.columns(), grid.rows());
    std::vector<ImageState> expected_records;
    ImageState state = start;
    for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
        RenderSampleColumns(state, grid, edges[k], edges[k + 1], expected_window);
        expected_records.push_back(state);
    }
    for (const Variant& variant : Variants()) {
        SCOPED_TRACE(variant.name);
        PixelImage samples(width, grid.rows());
        ImageWindow window(samples, first, 0, grid.columns(), grid.rows());
        ImageState fast = start;
        for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
            RenderSampleColumnsFast(fast, grid, edges[k], edges[k + 1], window, variant.options);
            const std::string difference = FirstDifference(fast, expected_records[k]);
            if (!difference.empty()) {
                ADD_FAILURE() << "the records differ in " << difference << " after columns "
                              << edges[k] << " to " << edges[k + 1];
                break;
            }
        }
        EXPECT_TRUE(samples == expected) << "the samples differ";
    }
    return state;
}

int ManySeed(int k) {
    return 1 + (k * 16661) % 1000000;
}

// The record the export of a seed's mother, or of a child pressed on it,
// starts from: the mother already drawn, and the child too where there is
// one, so that the factor and the channels carry in.
ImageState Drawn(int seed, bool child, float x, float y, double f) {
    ImageState state = ImageMotherRecord(seed);
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    RenderImageFast(state, canvas);
    if (child) {
        state.f = f;
        RenderImageChild(state, canvas, x, y, RenderImageFast);
    }
    return state;
}

struct ScaleCase {
    int seed;
    bool child;
    int scale, supersample;
    int first, columns;  // the grid columns rendered
    int band;            // columns a band
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << "seed " << c.seed << (c.child ? " child" : " mother") << ", K " << c.scale << ", S "
        << c.supersample;
}

// Many seeds, mothers and children, at scales and supersamplings whose
// counters fall between the image's columns and rows; the columns rendered
// start at the grid's left edge, where the palette step runs, or anywhere
// within, and go in bands of one column, of three, or at once.
std::vector<ScaleCase> ScaleCases() {
    const int scales[][2] = {{2, 1}, {2, 2}, {3, 1}, {3, 2},  {4, 1}, {1, 3},
                             {5, 2}, {8, 1}, {2, 4}, {16, 1}, {3, 3}, {6, 1}};
    const int bands[] = {1, 3, 1 << 20};
    std::vector<ScaleCase> cases;
    for (int k = 0; k < 36; ++k) {
        const int scale = scales[k % 12][0];
        const int supersample = scales[k % 12][1];
        const int grid_columns = kImageWidth * scale * supersample;
        const int rows = kImageHeight * scale * supersample;
        // About twelve thousand samples a case keeps the straightforward pass quick.
        const int columns = std::max(2, 12000 / rows);
        const int first = k % 3 == 0 ? 0 : k * 7919 % (grid_columns - columns);
        cases.push_back(
            {ManySeed(k), k % 2 == 1, scale, supersample, first, columns, bands[k / 3 % 3]});
    }
    return cases;
}

class ScaledGrids : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledGrids, SamplesAndRecordMatchBitForBit) {
    const ScaleCase& c = GetParam();
    const int k = c.seed;
    const ImageState start = Drawn(c.seed, c.child, static_cast<float>(k % kImageWidth),
                                   static_cast<float>(k % kImageHeight), 1 + k % 12);
    const SampleGrid grid = ScaledGrid(start, c.scale, c.supersample);
    ExpectSameSamples(start, grid, Bands(c.first, c.first + c.columns, c.band));
}

INSTANTIATE_TEST_SUITE_P(FastSamples, ScaledGrids, testing::ValuesIn(ScaleCases()),
                         [](const auto& info) {
                             const ScaleCase& c = info.param;
                             return "seed_" + std::to_string(c.seed) +
                                    (c.child ? "_child" : "_mother") + "_K" +
                                    std::to_string(c.scale) + "_S" + std::to_string(c.supersample) +
                                    "_columns_" + std::to_string(c.first) + "_bands_of_" +
                                    std::to_string(std::min(c.band, c.columns));
                         });

// Every scheme, on a grid whose counters are thirds of the image's columns
// and rows, offset by quarters (scheme 18 reads them): the grid's first
// columns, from the palette step, then columns far within it.
class EveryColourScheme : public testing::TestWithParam<int> {};

TEST_P(EveryColourScheme, SamplesAndRecordMatchBitForBit) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[3]);
    state.barva = GetParam();
    const SampleGrid grid = ScaledGrid(state, 3, 2);
    state = ExpectSameSamples(state, grid, Bands(0, 9, 4));
    ExpectSameSamples(state, grid, Bands(1001, 1010, 4));
}

INSTANTIATE_TEST_SUITE_P(FastSamples, EveryColourScheme, testing::Range(1, 23),
                         [](const auto& info) { return "scheme_" + std::to_string(info.param); });

// At K = 2 and 4 every K-th sample lies on an image pixel, so the samples
// on the reference points fail as the image's pixels there do.
class FailingPixels : public testing::TestWithParam<FailureCase> {};

TEST_P(FailingPixels, CarriedFactorsAndChannelsMatch) {
    const FailureCase& c = GetParam();
    const ImageState mother = MotherWithPointsOnPixels(c.fak01, c.fak02, c.barva);
    ImageState state = mother;
    PixelImage canvas(kImageWidth, kImageHeight);
    RenderImageFast(state, canvas);  // the factor and channels the export starts from
    for (const int scale : {2, 4}) {
        SCOPED_TRACE("K " + std::to_string(scale));
        const SampleGrid grid = ScaledGrid(mother, scale, 1);
        // Around the points on pixels (144, 78), (180, 130) and (18, 26),
        // with a band starting on each of their columns.
        state = ExpectSameSamples(state, grid, Bands(144 * scale - 2, 144 * scale + 3, 2));
        state = ExpectSameSamples(state, grid, Bands(180 * scale - 1, 180 * scale + 2, 1));
        state = ExpectSameSamples(state, grid, Bands(18 * scale, 18 * scale + 2, 1));
    }
}

TEST_P(FailingPixels, ABandWhoseLastSampleFailsHandsOnItsFactor) {
    const FailureCase& c = GetParam();
    const ImageState state = MotherWithPointsOnPixels(c.fak01, c.fak02, c.barva);
    // The grid's rows end on the point on pixel (144, 78): the band ending
    // on its column ends on it.
    SampleGrid grid = ScaledGrid(state, 2, 1);
    grid.y.resize(2 * 78 + 1);
    grid.j.resize(2 * 78 + 1);
    ExpectSameSamples(state, grid, {0, 2 * 144 + 1, 2 * 144 + 4});
}

INSTANTIATE_TEST_SUITE_P(FastSamples, FailingPixels, testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FastSamples, ABandWhoseFirstSampleFailsTakesTheFactorOfTheBandBefore) {
    // Reference point 1 on the top sample of grid column 288 at K = 2: its
    // first factor fails, and the band that starts there must use the factor
    // the band before it left.
    ImageState state = MotherWithPointsOnPixels(11, 2, 1);
    state.xt1 = 0.0;
    state.yt1 = 2.0;
    const SampleGrid grid = ScaledGrid(state, 2, 1);
    ASSERT_EQ(grid.x[288], 0.0);
    ASSERT_EQ(grid.y[0], 2.0);
    state = ExpectSameSamples(state, grid, {0, 288, 290});
    ExpectSameSamples(state, grid, Bands(286, 291, 1));
}

TEST(FastSamples, EmptyBandsRunOnlyThePaletteStepWhereTheyStartTheGrid) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[5]);
    PixelImage canvas(kImageWidth, kImageHeight);
    RenderImageFast(state, canvas);
    const SampleGrid grid = ScaledGrid(state, 2, 2);
    ExpectSameSamples(state, grid, {0, 0, 3, 3, 6});
}

TEST(FastSamples, ViewsFarOutsideThePlaneFallBackAndStillMatch) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[4]);
    state.zoomx1 = 1e-300;  // columns land beyond any sensible coordinate
    const SampleGrid grid = ScaledGrid(state, 2, 1);
    ExpectSameSamples(state, grid, Bands(0, 4, 3));
}

}  // namespace
}  // namespace seedscape
