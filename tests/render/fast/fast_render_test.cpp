#include "render/fast/fast_render.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "bench/benchmark_seeds.h"
#include "render/checked.h"
#include "render/factor_formulas.h"
#include "render/fast/kernel_sets.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "tests/render/fast/failing_pixels.h"
#include "tests/render/fast/fast_variants.h"
#include "tests/render/fast/record_equality.h"

namespace seedscape {
namespace {

// One step of a session: an image mother, or a press that makes a child.
struct Step {
    bool child = false;
    float x = 0, y = 0;
    double f = 5;
};

constexpr Step kMotherStep{};
constexpr Step Press(float x, float y, double f) {
    return {true, x, y, f};
}

// Runs the steps in one record with the straightforward pass and with every
// fast variant, and expects the same canvas and the same record after each.
void ExpectSameAsStraightforward(const ImageState& start, const std::vector<Step>& steps) {
    ImageState expected = start;
    PixelImage expected_canvas(kCanvasWidth, kCanvasHeight);
    std::vector<ImageState> records;
    std::vector<PixelImage> canvases;
    const std::vector<Variant> variants = Variants();
    for (std::size_t k = 0; k < variants.size(); ++k) {
        records.push_back(start);
        canvases.emplace_back(kCanvasWidth, kCanvasHeight);
    }
    for (std::size_t s = 0; s < steps.size(); ++s) {
        const Step& step = steps[s];
        const auto run = [&](ImageState& state, PixelImage& canvas, auto render) {
            if (!step.child) return render(state, canvas);
            state.f = step.f;
            RenderImageChild(state, canvas, step.x, step.y, render);
        };
        run(expected, expected_canvas, RenderImage);
        for (std::size_t k = 0; k < variants.size(); ++k) {
            SCOPED_TRACE(variants[k].name + ", step " + std::to_string(s));
            const FastRenderOptions options = variants[k].options;
            run(records[k], canvases[k], [options](ImageState& state, DrawingSurface& surface) {
                RenderImageFastWith(state, surface, options);
            });
            EXPECT_EQ(FirstDifference(records[k], expected), "");
            EXPECT_TRUE(canvases[k] == expected_canvas) << "the canvases differ";
        }
    }
}

class EveryBenchmarkSeed : public testing::TestWithParam<int> {};

TEST_P(EveryBenchmarkSeed, MotherAndChildMatchBitForBit) {
    ExpectSameAsStraightforward(ImageMotherRecord(GetParam()), {kMotherStep, Press(200, 50, 5)});
}

INSTANTIATE_TEST_SUITE_P(FastRender, EveryBenchmarkSeed, testing::ValuesIn(kBenchmarkSeeds),
                         [](const auto& info) { return "seed_" + std::to_string(info.param); });

// Sixty more seeds spread over the whole range, each a mother and a child at
// a point of its own, so that many schemes, factor pairs and views are met.
class ManySeeds : public testing::TestWithParam<int> {};

int ManySeed(int k) {
    return 1 + (k * 16661) % 1000000;
}

TEST_P(ManySeeds, MotherAndChildMatchBitForBit) {
    const int k = GetParam();
    ExpectSameAsStraightforward(ImageMotherRecord(ManySeed(k)),
                                {kMotherStep, Press(static_cast<float>(k * 37 % kImageWidth),
                                                    static_cast<float>(k * 53 % kImageHeight),
                                                    static_cast<double>(1 + k % 12))});
}

INSTANTIATE_TEST_SUITE_P(FastRender, ManySeeds, testing::Range(0, 60), [](const auto& info) {
    return "seed_" + std::to_string(ManySeed(info.param));
});

class EveryColourScheme : public testing::TestWithParam<int> {};

TEST_P(EveryColourScheme, MotherMatchesBitForBit) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[3]);
    state.barva = GetParam();
    ExpectSameAsStraightforward(state, {kMotherStep});
}

INSTANTIATE_TEST_SUITE_P(FastRender, EveryColourScheme, testing::Range(1, 23),
                         [](const auto& info) { return "scheme_" + std::to_string(info.param); });

struct SelectorCase {
    int fak01;
    int fak02;
};

void PrintTo(const SelectorCase& c, std::ostream* os) {
    *os << "fak01 " << c.fak01 << ", fak02 " << c.fak02;
}

class EveryFactorSelector : public testing::TestWithParam<SelectorCase> {};

TEST_P(EveryFactorSelector, MotherMatchesBitForBit) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[7]);
    state.fak01 = GetParam().fak01;
    state.fak02 = GetParam().fak02;
    ExpectSameAsStraightforward(state, {kMotherStep});
}

std::vector<SelectorCase> SelectorCases() {
    std::vector<SelectorCase> cases;
    for (int selector = 1; selector <= 25; ++selector) {
        cases.push_back({selector, 7});                     // as the first factor
        if (selector != 7) cases.push_back({2, selector});  // as the second ({2, 7} is above)
    }
    cases.push_back({8, 9});  // the same formula under two selectors
    return cases;
}

INSTANTIATE_TEST_SUITE_P(FastRender, EveryFactorSelector, testing::ValuesIn(SelectorCases()),
                         [](const auto& info) {
                             return "fak01_" + std::to_string(info.param.fak01) + "_fak02_" +
                                    std::to_string(info.param.fak02);
                         });

TEST(FastRender, ChildrenAtEveryCornerAndMagnificationMatch) {
    std::vector<Step> steps = {kMotherStep};
    constexpr float kRight = kImageWidth - 1;  // the mother's last column and row
    constexpr float kBottom = kImageHeight - 1;
    for (const double f : {1.0, 5.0, 100.0}) {
        for (const auto& [x, y] : {std::pair{0.f, 0.f},
                                   {kRight, 0.f},
                                   {0.f, kBottom},
                                   {kRight, kBottom},
                                   {kRight / 2, kBottom / 2}}) {
            steps.push_back(Press(x, y, f));
        }
    }
    ExpectSameAsStraightforward(ImageMotherRecord(kBenchmarkSeeds[0]), steps);
}

class FailingPixels : public testing::TestWithParam<FailureCase> {};

TEST_P(FailingPixels, CarriedFactorsAndChannelsMatch) {
    const FailureCase& c = GetParam();
    // Two mothers in one record, so that the factor carries from one image
    // into the next, and a child magnified around a failing pixel.
    ExpectSameAsStraightforward(MotherWithPointsOnPixels(c.fak01, c.fak02, c.barva),
                                {kMotherStep, kMotherStep, Press(144, 78, 1)});
}

INSTANTIATE_TEST_SUITE_P(FastRender, FailingPixels, testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FastRender, FirstPixelTakesTheFactorOfThePreviousImage) {
    // The first pixel sits on reference point 1, so its first factor fails
    // and it must use the factor the previous image left behind.
    ImageState state = MotherWithPointsOnPixels(11, 2, 1);
    state.xt1 = -2.0;
    state.yt1 = 2.0;
    ExpectSameAsStraightforward(state, {kMotherStep, kMotherStep, Press(0, 0, 1)});
}

TEST(FastRender, ViewsFarOutsideThePlaneFallBackAndStillMatch) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[4]);
    state.zoomx1 = 1e-300;  // columns land beyond any sensible coordinate
    ExpectSameAsStraightforward(state, {kMotherStep});
}

// A window onto the canvas holds what the canvas shows in its rectangle, in
// the middle of the canvas as across its edges, where the canvas drops pixels.
struct WindowCase {
    const char* name;
    int zamikx, zamiky;  // where the image is drawn
    int left, top;       // the window's rectangle, 291 x 211
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name;
}

class ImageWindowOnCanvas : public testing::TestWithParam<WindowCase> {};

TEST_P(ImageWindowOnCanvas, HoldsWhatTheCanvasShowsThere) {
    const WindowCase& c = GetParam();
    ImageState start = ImageMotherRecord(kBenchmarkSeeds[6]);
    start.zamikx = c.zamikx;
    start.zamiky = c.zamiky;
    // Pixel by pixel through the straightforward pass, a column at a time
    // through the fast one.
    using Pass = void (*)(ImageState&, DrawingSurface&);
    const std::pair<const char*, Pass> passes[] = {{"straightforward", RenderImage},
                                                   {"fast", RenderImageFast}};
    for (const auto& [name, pass] : passes) {
        SCOPED_TRACE(name);
        ImageState state = start;
        PixelImage canvas(891, 651);
        pass(state, canvas);
        state = start;
        PixelImage picture(291, 211);
        ImageWindow window(picture, c.left, c.top, 891, 651);
        pass(state, window);
        EXPECT_TRUE(picture == canvas.Crop(c.left, c.top, 291, 211));
    }
}

INSTANTIATE_TEST_SUITE_P(
    FastRender, ImageWindowOnCanvas,
    testing::Values(WindowCase{"at_the_images_place", 300, 220, 300, 220},
                    WindowCase{"shifted_against_the_image", 300, 220, 250, 300},
                    WindowCase{"across_the_right_and_bottom_edges", 700, 500, 700, 500},
                    WindowCase{"across_the_left_and_top_edges", -100, -50, -100, -50},
                    WindowCase{"off_the_canvas", 0, 0, 900, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// One test a kernel set, skipped by name where the processor lacks the set,
// so that a run shows which sets it could not check.
class EveryKernelSet : public testing::TestWithParam<const PixelKernelSet*> {};

TEST_P(EveryKernelSet, FillsTheRowTableAsTheScalarFormula) {
    const PixelKernelSet& set = *GetParam();
    if (!set.supported()) GTEST_SKIP() << "this processor cannot run " << set.name;
    // Rows of a child deep in the plane, padded as the fast pass pads them.
    const int padded_rows = 2 * WidestLanes();
    std::vector<double> y(padded_rows);
    for (int row = 0; row < padded_rows; ++row) y[row] = 0.37 - row / 5123.0;
    for (const int selector : {8, 9}) {
        std::vector<double> table(100 * static_cast<std::size_t>(padded_rows));
        set.fill_row_table(selector, y.data(), padded_rows, table.data());
        for (int n = 1; n < 100; ++n) {
            for (int row = 0; row < padded_rows; ++row) {
                const Checked zero = 0.0;
                const Checked expected =
                    FactorFormula<Checked>(selector, {n, zero, zero, y[row], zero, zero, zero, 1});
                ASSERT_EQ(table[n * padded_rows + row], expected.value())
                    << "selector " << selector << ", n " << n << ", row " << row;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(KernelSets, EveryKernelSet, testing::ValuesIn(PixelKernelSets()),
                         [](const auto& info) { return std::string(info.param->name); });

// Stand-ins for the built sets, so that a choice can be tried against a
// processor that lacks some of them.
bool Yes() {
    return true;
}
bool No() {
    return false;
}
const PixelKernelSet kNarrow{"narrow", Yes, 2, nullptr, nullptr, nullptr, 0, nullptr, false};
const PixelKernelSet kWide{"wide", Yes, 4, nullptr, nullptr, nullptr, 0, nullptr, false};
const PixelKernelSet kWidest{"widest", No, 8, nullptr, nullptr, nullptr, 0, nullptr, false};
const PixelKernelSet* const kStandIns[] = {&kNarrow, &kWide, &kWidest};

struct ChoiceCase {
    const char* name;
    const char* forced;  // the variable's value, nullptr when unset
    const PixelKernelSet* expected;
    const char* problem;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class KernelVariable : public testing::TestWithParam<ChoiceCase> {};

TEST_P(KernelVariable, ChoosesTheNamedSetOrSaysWhyNot) {
    const ChoiceCase& c = GetParam();
    const KernelChoice choice = ChooseKernelSet(c.forced, kStandIns);
    EXPECT_EQ(choice.set, c.expected);
    EXPECT_EQ(choice.problem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    KernelSets, KernelVariable,
    testing::Values(
        ChoiceCase{"unset_takes_the_widest_supported", nullptr, &kWide, ""},
        ChoiceCase{"empty_takes_the_widest_supported", "", &kWide, ""},
        ChoiceCase{"a_narrower_set_is_taken", "narrow", &kNarrow, ""},
        ChoiceCase{"a_set_the_processor_lacks_is_refused", "widest", nullptr,
                   "SEEDSCAPE_KERNEL=widest: this processor cannot run it; choose one of "
                   "narrow, wide"},
        ChoiceCase{"an_unknown_name_is_refused", "neon", nullptr,
                   "SEEDSCAPE_KERNEL=neon: no such kernel set; choose one of narrow, wide"},
        ChoiceCase{"names_are_exact", "Wide", nullptr,
                   "SEEDSCAPE_KERNEL=Wide: no such kernel set; choose one of narrow, wide"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KernelVariable, ForcedSetIsTheOneThatDraws) {
    const char* forced = std::getenv(kKernelVariable);
    if (forced == nullptr || *forced == '\0') GTEST_SKIP() << kKernelVariable << " is not set";
    ASSERT_NE(BestKernelSet(), nullptr);
    EXPECT_EQ(BestKernelSet()->name, forced);
}

TEST(KernelVariableDeathTest, BadValueEndsTheProgramWithStatusTwo) {
    // A fresh process for each case: the variable is read once.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv(kKernelVariable, "avx1024", 1);
            BestKernelSet();
        },
        testing::ExitedWithCode(2), "^SEEDSCAPE_KERNEL=avx1024: no such kernel set; choose one of");
    for (const PixelKernelSet* set : PixelKernelSets()) {
        if (set->supported()) continue;
        EXPECT_EXIT(
            {
                setenv(kKernelVariable, std::string(set->name).c_str(), 1);
                BestKernelSet();
            },
            testing::ExitedWithCode(2), "this processor cannot run it");
    }
}

}  // namespace
}  // namespace seedscape
