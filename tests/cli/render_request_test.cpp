// The picture the options ask for, rendered in process through the export
// pass, against the engine's straightforward pass drawn as the window draws.
#include "cli/render_request.h"

#include <gtest/gtest.h>

#include <functional>

#include "export/export_picture.h"
#include "image_file/rgb_image.h"
#include "render/image_child.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "test_support.h"

namespace seedscape::cli {
namespace {

using seedscape::testing::ImageAtPlace;
using testing::EngineImageMother;
using testing::ImageDifference;

RenderOptions Options(const std::vector<std::string_view>& args) {
    const CommandLine parsed = ParseCommandLine(args);
    if (parsed.action != CommandLine::Action::kRender) ADD_FAILURE() << parsed.error;
    return parsed.options;
}

RgbImage Render(const std::vector<std::string_view>& args) {
    const std::optional<RgbImage> image = RenderExport(RequestedRecipe(Options(args), 0.0f), {});
    return image ? *image : RgbImage();
}

// The window's sequence: the mother on the canvas, then each press in the
// same record, each child in the next place of the grid.
struct WindowPress {
    float x, y;
    double f;
};

RgbImage WindowPicture(ImageState state, const std::vector<WindowPress>& presses,
                       bool mother_first = true) {
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    if (mother_first) RenderImage(state, canvas);
    for (const WindowPress& press : presses) {
        state.f = press.f;
        RenderImageChild(state, canvas, press.x, press.y, RenderImage);
    }
    return ToRgb(canvas.Crop(static_cast<int>(state.zamikx), static_cast<int>(state.zamiky),
                             kImageWidth, kImageHeight));
}

TEST(RenderRequest, SeedGivesTheEngineImageMother) {
    for (const char* seed : {"1", "12345", "1000000"}) {
        const RgbImage expected = ToRgb(EngineImageMother(std::stod(seed)));
        const RgbImage rendered = Render({"--seed", seed, "--params"});
        EXPECT_EQ(ImageDifference(rendered, expected), "") << "seed " << seed;
    }
}

struct ChildRow {
    std::string name;
    std::vector<std::string_view> args;
    double seed;
    std::function<void(ImageState&)> set;
    std::vector<WindowPress> presses;
};

// Rows print as their name in test listings.
void PrintTo(const ChildRow& row, std::ostream* os) {
    *os << row.name;
}

class PressedChild : public ::testing::TestWithParam<ChildRow> {};

TEST_P(PressedChild, IsTheWindowsChildOfThePicturesBeforeIt) {
    const ChildRow& row = GetParam();
    ImageState record = ImageMotherRecord(row.seed);
    row.set(record);
    const RgbImage expected = WindowPicture(record, row.presses);
    const RgbImage rendered = Render(row.args);
    EXPECT_EQ(ImageDifference(rendered, expected), "");
}

auto Keep = [](ImageState&) {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PressedChild, ::testing::Values(
    ChildRow{"PressWithDefaultMagnification", {"--seed", "12345", "--press", "200,50", "-o", "c.png"}, 12345, Keep, {{200, 50, 5}}},
    ChildRow{"FractionalPress", {"--seed", "31337", "--press", "12.75,33.5", "--mag", "3", "-o", "c.png"}, 31337, Keep, {{12.75f, 33.5f, 3}}},
    ChildRow{"LastColumnAndRowAtMagnificationHundred", {"--seed", "999", "--press", "290,210", "--mag", "100", "--set", "fak01=6", "--set", "fak02=7", "-o", "c.png"}, 999,
             [](ImageState& s) { s.fak01 = 6; s.fak02 = 7; }, {{290, 210, 100}}},
    ChildRow{"ChainOfThreeKeepingF", {"--seed", "4711", "--mag", "3", "--press", "20,30", "--press", "250,180", "--mag", "9", "--press", "145,105", "-o", "c.png"}, 4711, Keep,
             {{20, 30, 3}, {250, 180, 9}, {145, 105, 9}}},
    ChildRow{"ChainThatWrapsRoundTheGrid", {"--seed", "808", "--press", "1,1", "--press", "2,2", "--press", "3,3", "--press", "4,4", "--press", "5,5", "--press", "6,6", "--press", "7,7", "--press", "8,8", "--press", "9,9", "--mag", "2", "-o", "c.png"}, 808, Keep,
             {{1, 1, 5}, {2, 2, 5}, {3, 3, 5}, {4, 4, 5}, {5, 5, 5}, {6, 6, 5}, {7, 7, 5}, {8, 8, 5}, {9, 9, 2}}}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// With fak01 = 11 (sin(n / r1)) and the first reference point exactly on the
// child's first pixel, that factor fails there and the iteration runs with the
// factor the mother's last pixel left. A child rendered in a fresh record
// would start from 0 instead and colour that pixel differently.
TEST(RenderRequest, ChildStartsFromWhatTheMothersRenderLeftInTheRecord) {
    const auto set = [](ImageState& s) {
        s.barva = 12;
        s.fak01 = 11;
        s.xt1 = -1;
        s.yt1 = 0.5;
    };
    ImageState record = ImageMotherRecord(12345);
    set(record);
    const RgbImage rendered =
        Render({"--seed", "12345", "--set", "barva=12", "--set", "fak01=11", "--set", "xt1=-1",
                "--set", "yt1=0.5", "--press", "145,131", "--mag", "2", "-o", "c.png"});
    const RgbImage expected = WindowPicture(record, {{145, 131, 2}});
    EXPECT_EQ(ImageDifference(rendered, expected), "");
    const RgbImage fresh = WindowPicture(record, {{145, 131, 2}}, false);
    EXPECT_FALSE(std::equal(rendered.At(0, 0), rendered.At(0, 0) + 3, fresh.At(0, 0)))
        << "this row no longer shows the carry-over; pick another";
}

// Every pixel replaces c with its own point, so cr and ci only show in the
// printed parameters; --help says so, and this keeps it true.
TEST(RenderRequest, SettingCrAndCiLeavesThePictureAlone) {
    EXPECT_EQ(Render({"--seed", "808", "--set", "cr=1.25", "--set", "ci=-0.75", "--params"}),
              ToRgb(EngineImageMother(808)));
}

TEST(RenderRequest, ParametersAreTheMothersWithFTheLastPresss) {
    const ImageState drawn = ImageMotherRecord(2024);
    const ImageState state = ParametersRecord(
        RequestedRecipe(Options({"--seed", "2024", "--set", "barva=3", "--set", "xt2=0.1", "--set",
                                 "barva=17", "--set", "cr=0.1", "--press", "1,2", "--mag", "64",
                                 "--press", "3,4", "--mag", "7", "--params"}),
                        0.0f));
    EXPECT_EQ(static_cast<double>(state.barva), 17);
    EXPECT_EQ(static_cast<double>(state.xt2), static_cast<double>(0.1f));
    EXPECT_EQ(state.cr, 0.1);  // a double field keeps every bit
    EXPECT_EQ(static_cast<double>(state.xt1), static_cast<double>(drawn.xt1));
    EXPECT_EQ(static_cast<double>(state.dn2), static_cast<double>(drawn.dn2));
    EXPECT_EQ(state.f, 7);
    EXPECT_EQ(ParametersRecord(RequestedRecipe(Options({"--seed", "2", "--params"}), 0)).f, 5);
}

TEST(RenderRequest, ClockSeedIsInRangeAndFollowsTheClock) {
    const RenderOptions from_clock = Options({"--params"});
    const Recipe recipe = RequestedRecipe(from_clock, 43210.75f);
    EXPECT_EQ(recipe.seed, SeedFromClock(43210.75f));
    EXPECT_GE(recipe.seed, 1);
    EXPECT_LE(recipe.seed, 1000000);
    EXPECT_NE(RequestedRecipe(from_clock, 1.0f).seed, recipe.seed);
    // A given seed is kept whatever the clock says.
    EXPECT_EQ(RequestedRecipe(Options({"--seed", "77", "--params"}), 1.0f).seed, 77);
}

TEST(RenderRequest, ClockReadsSecondsSinceMidnight) {
    const double seconds = SecondsSinceLocalMidnight();
    EXPECT_GE(seconds, 0);
    EXPECT_LT(seconds, 86401);  // a leap second may show as 60
}

}  // namespace
}  // namespace seedscape::cli
