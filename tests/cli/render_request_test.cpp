#include "cli/render_request.h"

#include <gtest/gtest.h>

#include <functional>

#include "render/image_child.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "test_support.h"

namespace seedscape::cli {
namespace {

using seedscape::testing::ImageAtPlace;
using testing::EngineImageMother;
using testing::SameImage;

RenderOptions Options(const std::vector<std::string_view>& args) {
    const CommandLine parsed = ParseCommandLine(args);
    if (parsed.action != CommandLine::Action::kRender) ADD_FAILURE() << parsed.error;
    return parsed.options;
}

PixelImage Render(const std::vector<std::string_view>& args) {
    const RenderOptions options = Options(args);
    ImageState state = PrepareImageState(options, 0.0f);
    return RenderRequestedImage(state, options);
}

// The child as the window makes it: the mother on the canvas, then the press
// in the same record; the first child takes place 1.
PixelImage EngineChild(ImageState state, float x, float y, double f, bool mother_first = true) {
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    if (mother_first) RenderImage(state, canvas);
    state.f = f;
    RenderImageChild(state, canvas, x, y, RenderImage);
    return ImageAtPlace(canvas, 1);
}

TEST(RenderRequest, SeedGivesTheEngineImageMother) {
    for (const char* seed : {"1", "12345", "1000000"}) {
        std::string where;
        EXPECT_TRUE(SameImage(Render({"--seed", seed, "--params"}),
                              EngineImageMother(std::stod(seed)), &where))
            << "seed " << seed << ", first difference at " << where;
    }
}

struct ChildRow {
    std::string name;
    std::vector<std::string_view> args;
    double seed;
    std::function<void(ImageState&)> set;
    float x, y;
    double f;
};

// Rows print as their name in test listings.
void PrintTo(const ChildRow& row, std::ostream* os) {
    *os << row.name;
}

class PressedChild : public ::testing::TestWithParam<ChildRow> {};

TEST_P(PressedChild, IsTheEngineChildOfTheMotherInOneRecord) {
    const ChildRow& row = GetParam();
    ImageState record = ImageMotherRecord(row.seed);
    row.set(record);
    std::string where;
    EXPECT_TRUE(SameImage(Render(row.args), EngineChild(record, row.x, row.y, row.f), &where))
        << "first difference at " << where;
}

auto Keep = [](ImageState&) {};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PressedChild, ::testing::Values(
    ChildRow{"PressWithDefaultMagnification", {"--seed", "12345", "--press", "200,50", "-o", "c.png"}, 12345, Keep, 200, 50, 5},
    ChildRow{"FractionalPress", {"--seed", "31337", "--press", "12.75,33.5", "--mag", "3", "-o", "c.png"}, 31337, Keep, 12.75f, 33.5f, 3},
    ChildRow{"LastColumnAndRowAtMagnificationHundred", {"--seed", "999", "--press", "290,210", "--mag", "100", "--set", "fak01=6", "--set", "fak02=7", "-o", "c.png"}, 999,
             [](ImageState& s) { s.fak01 = 6; s.fak02 = 7; }, 290, 210, 100}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(RenderRequest, CentralPressAtMagnificationOneRedrawsTheMother) {
    std::string where;
    EXPECT_TRUE(
        SameImage(Render({"--seed", "4711", "--press", "145,105", "--mag", "1", "-o", "c.png"}),
                  EngineImageMother(4711), &where))
        << where;
}

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
    const PixelImage rendered =
        Render({"--seed", "12345", "--set", "barva=12", "--set", "fak01=11", "--set", "xt1=-1",
                "--set", "yt1=0.5", "--press", "145,131", "--mag", "2", "-o", "c.png"});
    std::string where;
    EXPECT_TRUE(SameImage(rendered, EngineChild(record, 145, 131, 2), &where)) << where;
    EXPECT_NE(rendered.At(0, 0), EngineChild(record, 145, 131, 2, false).At(0, 0))
        << "this row no longer shows the carry-over; pick another";
}

TEST(RenderRequest, SetsApplyAfterTheDrawsLastOneWinsAndSinglesRound) {
    const ImageState drawn = ImageMotherRecord(2024);
    const ImageState state =
        PrepareImageState(Options({"--seed", "2024", "--set", "barva=3", "--set", "xt2=0.1",
                                   "--set", "barva=17", "--set", "cr=0.1", "--params"}),
                          0.0f);
    EXPECT_EQ(static_cast<double>(state.barva), 17);
    EXPECT_EQ(static_cast<double>(state.xt2), static_cast<double>(0.1f));
    EXPECT_EQ(state.cr, 0.1);  // a double field keeps every bit
    EXPECT_EQ(static_cast<double>(state.xt1), static_cast<double>(drawn.xt1));
    EXPECT_EQ(static_cast<double>(state.dn2), static_cast<double>(drawn.dn2));
    EXPECT_EQ(state.f, 5);
}

TEST(RenderRequest, SetBarvaDrawsWithThatScheme) {
    ImageState record = ImageMotherRecord(2024);
    record.barva = 17;
    PixelImage expected(kImageWidth, kImageHeight);
    RenderImage(record, expected);
    std::string where;
    EXPECT_TRUE(
        SameImage(Render({"--seed", "2024", "--set", "barva=17", "--params"}), expected, &where))
        << where;
}

TEST(RenderRequest, PressMakesItsMagnificationTheRecordsF) {
    EXPECT_EQ(PrepareImageState(Options({"--press", "1,2", "--mag", "64", "--params"}), 0).f, 64);
    EXPECT_EQ(PrepareImageState(Options({"--press", "1,2", "--params"}), 0).f, 5);
}

// Every pixel replaces c with its own point, so cr and ci only show in the
// printed parameters; --help says so, and this keeps it true.
TEST(RenderRequest, SettingCrAndCiLeavesThePictureAlone) {
    EXPECT_TRUE(
        SameImage(Render({"--seed", "808", "--set", "cr=1.25", "--set", "ci=-0.75", "--params"}),
                  EngineImageMother(808)));
}

TEST(RenderRequest, ClockSeedMakesTheSameImageAsGivingThatSeed) {
    const RenderOptions from_clock = Options({"--params"});
    ImageState state = PrepareImageState(from_clock, 43210.75f);
    ASSERT_GE(state.seed, 1);
    ASSERT_LE(state.seed, 1000000);
    EXPECT_NE(PrepareImageState(from_clock, 1.0f).seed, state.seed);
    EXPECT_TRUE(SameImage(RenderRequestedImage(state, from_clock), EngineImageMother(state.seed)));
}

TEST(RenderRequest, ClockReadsSecondsSinceMidnight) {
    const double seconds = SecondsSinceLocalMidnight();
    EXPECT_GE(seconds, 0);
    EXPECT_LT(seconds, 86401);  // a leap second may show as 60
}

}  // namespace
}  // namespace seedscape::cli
