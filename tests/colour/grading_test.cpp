// The grading's formula, pinned by pixels worked out by hand, and the
// surface that grades a picture's pixels through a cache.
#include "colour/grading.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "colour/encode_steps.h"
#include "colour/linear_light.h"
#include "maths/maths.h"
#include "render/graded_surface.h"
#include "render/pixel_image.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

struct HandRow {
    std::string what;
    Grading grading;
    std::variant<SrgbColour, LinearColour> given;  // a finished pixel or linear light
    SrgbColour want;
};

void PrintTo(const HandRow& row, std::ostream* os) {
    *os << row.what;
}

class GradedByHand : public ::testing::TestWithParam<HandRow> {};

TEST_P(GradedByHand, GivesTheWorkedOutBytes) {
    const HandRow& row = GetParam();
    const Grader grader(row.grading);
    const SrgbColour got = std::holds_alternative<SrgbColour>(row.given)
                               ? grader.GradeSrgb(std::get<SrgbColour>(row.given))
                               : grader.GradeLight(std::get<LinearColour>(row.given));
    EXPECT_EQ(got, row.want);
}

// Linear light x encodes to 255 (1.055 x^(1/2.4) - 0.055), rounded: 0.2126
// to 127, 0.7152 to 220, 0.0722 to 76, 0.4252 to 174, 0.5 to 188, 0.25 to
// 137, 0.125 to 99, 2/3 to 213, sqrt(2/3) to 233.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, GradedByHand, ::testing::Values(
    HandRow{"saturation 0 turns red into the grey of its luminance 0.2126",
            {0, 0, 0, 1}, SrgbColour{255, 0, 0}, {127, 127, 127}},
    HandRow{"saturation 0 turns green into the grey of 0.7152",
            {0, 0, 0, 1}, SrgbColour{0, 255, 0}, {220, 220, 220}},
    HandRow{"saturation 0 turns blue into the grey of 0.0722",
            {0, 0, 0, 1}, SrgbColour{0, 0, 255}, {76, 76, 76}},
    HandRow{"exposure 1 doubles linear light and clamps what passes 1",
            {0, 1, 1, 1}, LinearColour{0.25, 0.125, 0.6}, {188, 137, 255}},
    HandRow{"exposure -1 halves linear light",
            {0, 1, -1, 1}, LinearColour{0.5, 1, 0.25}, {137, 188, 99}},
    HandRow{"exposure comes before the saturation and the clamp",
            {0, 0, 1, 1}, LinearColour{1, 0, 0}, {174, 174, 174}},
    HandRow{"hue 120 turns red into green",
            {120, 1, 0, 1}, SrgbColour{255, 0, 0}, {0, 255, 0}},
    HandRow{"hue 120 turns green into blue",
            {120, 1, 0, 1}, SrgbColour{0, 255, 0}, {0, 0, 255}},
    HandRow{"hue -120 turns red into blue",
            {-120, 1, 0, 1}, SrgbColour{255, 0, 0}, {0, 0, 255}},
    HandRow{"hue 180 turns red into a cyan of two thirds and a clamped minus one third",
            {180, 1, 0, 1}, SrgbColour{255, 0, 0}, {0, 213, 213}},
    HandRow{"gamma 2 takes the square root after the clamp",
            {180, 1, 0, 2}, SrgbColour{255, 0, 0}, {0, 233, 233}},
    HandRow{"gamma 2 raises 0.25 to 0.5",
            {0, 1, 0, 2}, LinearColour{0.25, 0.25, 0.25}, {188, 188, 188}},
    HandRow{"gamma 0.5 lowers 0.5 to 0.25",
            {0, 1, 0, 0.5}, LinearColour{0.5, 0.5, 0.5}, {137, 137, 137}}),
    [](const auto& info) { return testing::RowName(info.param.what); });
// clang-format on

TEST(Grading, TurningTheHueOrSaturatingLeavesEveryGreyAsItWas) {
    const Grader grader(Grading{77, 1.6, 0, 1});
    for (int v = 0; v < 256; ++v) {
        const auto grey = static_cast<std::uint8_t>(v);
        EXPECT_EQ(grader.GradeSrgb({grey, grey, grey}), (SrgbColour{grey, grey, grey})) << v;
    }
}

// The export's averages go through GradeLight whatever the grading, so a
// neutral one must encode exactly as the plain export does.
TEST(Grading, NeutralEncodesLightAsSrgbFromLinear) {
    const Grader neutral{Grading{}};
    for (int k = -20; k <= 1100; ++k) {
        const double light = k / 1000.0 + 1e-7 * (k % 7);
        const SrgbColour got = neutral.GradeLight({light, light / 2, 1 - light});
        EXPECT_EQ(got, (SrgbColour{SrgbFromLinear(light), SrgbFromLinear(light / 2),
                                   SrgbFromLinear(1 - light)}))
            << light;
    }
}

// The looked-up last step gives what raising and encoding compute: at
// random channels, at tiny ones, and bit by bit across each place where the
// code goes up by one, for gammas at the ends of the range and between.
TEST(EncodeSteps, LookUpWhatRaisingAndEncodingCompute) {
    for (const double gamma : {1.0, 2.2, 0.25, 4.0, 0.6180339887498949, 3.3}) {
        const EncodeSteps steps(gamma);
        ASSERT_TRUE(steps.looked_up()) << "gamma " << gamma;
        int compared = 0;
        const auto same = [&](double channel) {
            ++compared;
            return steps(channel) == RaiseAndEncode(channel, gamma);
        };
        std::uint64_t lcg = 12345;
        for (int n = 0; n < 20000; ++n) {
            lcg = lcg * 6364136223846793005ULL + 1442695040888963407ULL;
            const double channel = static_cast<double>(lcg >> 11) / 9007199254740992.0;
            ASSERT_TRUE(same(channel)) << "gamma " << gamma << ", channel " << channel;
            ASSERT_TRUE(same(channel * 1e-6)) << "gamma " << gamma << ", channel " << channel;
        }
        for (int k = 1; k <= 255; ++k) {
            const double encoded = (k - 0.5) / 255;
            const double light =
                encoded <= 0.04045 ? encoded / 12.92 : maths::Pow((encoded + 0.055) / 1.055, 2.4);
            const auto near = std::bit_cast<std::uint64_t>(maths::Pow(light, gamma));
            for (std::uint64_t bits = near - 300; bits <= near + 300; ++bits) {
                const double channel = std::bit_cast<double>(bits);
                if (channel > 1) break;
                ASSERT_TRUE(same(channel)) << "gamma " << gamma << ", code " << k;
            }
        }
        EXPECT_EQ(steps(0), 0);
        EXPECT_EQ(steps(1), 255);
        EXPECT_GT(compared, 150000);
    }
}

// Every colour of a 256 x 256 picture differs, more than the cache has
// slots, and they are set twice in different orders and by both calls: a
// slot that gave back another colour's grade would show.
TEST(GradedSurface, GivesEachPixelItsOwnGradeThroughTheCache) {
    const Grading grading{35, 1.4, -0.5, 1.8};
    const Grader grader(grading);
    const auto colour_at = [](int x, int y) { return MakeColour(x, y, (x * 7 + y * 13) & 255); };
    PixelImage want(256, 256);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) want.SetPixel(x, y, GradeColour(grader, colour_at(x, y)));
    }
    PixelImage by_columns(256, 256);
    PixelImage by_pixels(256, 256);
    GradedSurface columns(by_columns, grading);
    GradedSurface pixels(by_pixels, grading);
    std::vector<ColourValue> column(256);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) column[y] = colour_at(x, y);
        columns.SetColumn(x, 0, column.data(), 256);
    }
    for (int x = 255; x >= 0; --x) {
        for (int y = 255; y >= 0; --y) {
            pixels.SetPixel(x, y, colour_at(x, y));
            columns.SetPixel(x, y, colour_at(x, y));
        }
    }
    EXPECT_TRUE(by_columns == want);
    EXPECT_TRUE(by_pixels == want);
}

}  // namespace
}  // namespace seedscape
