#include "state/image_mother_parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "state/grid_geometry.h"
#include "tests/support/base_view.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using testing::RowName;

// The draws that follow Reset and Seed(seed), in order.
std::array<double, 16> DrawsAfterSeeding(double seed) {
    RandomGenerator random;
    random.Reset();
    random.Seed(seed);
    std::array<double, 16> draws{};
    for (double& r : draws) r = random.Draw();
    return draws;
}

TEST(DrawParametersFromSeed, TakesTheSeedsDrawsInTheirFixedOrder) {
    ImageState state;
    RandomGenerator random;
    state.seed = 271828;
    DrawParametersFromSeed(state, random);
    const auto r = DrawsAfterSeeding(271828);

    EXPECT_EQ(state.cr, r[0] * 3 - 1.5);
    EXPECT_EQ(state.ci, r[1] * 3 - 1.5);
    EXPECT_EQ(state.fak01, std::floor(r[2] * 25 + 1));
    EXPECT_EQ(state.fak02, std::floor(r[3] * 25 + 1));
    EXPECT_EQ(state.barva, std::floor(r[4] * 22 + 1));
    EXPECT_EQ(state.dn1, std::floor(r[5] * 30 + 1));
    EXPECT_EQ(state.dn2, std::floor(r[6] * 30 + 1));
    EXPECT_EQ(state.dn3, std::floor(r[7] * 30 + 1));
    EXPECT_EQ(state.xt1, static_cast<float>(r[8] * 2 - 1));
    EXPECT_EQ(state.yt1, static_cast<float>(r[9] * 2 - 1));
    EXPECT_EQ(state.xt2, static_cast<float>(r[10] * 2 - 1));
    EXPECT_EQ(state.yt2, static_cast<float>(r[11] * 2 - 1));
    EXPECT_EQ(state.xt3, static_cast<float>(r[12] * 2 - 1));
    EXPECT_EQ(state.yt3, static_cast<float>(r[13] * 2 - 1));
    EXPECT_EQ(state.faktor1, std::floor(r[14] * 40 + 80));

    // Fifteen draws per image: the next image mother's seed is the sixteenth.
    DrawSeed(state, random);
    EXPECT_EQ(state.seed, std::floor(r[15] * 1000000 + 1));
}

TEST(DrawParametersFromSeed, LeavesTheBaseViewAndMagnificationFive) {
    ImageState state;
    SetStartUpSelectors(state);
    state.f = 40;
    state.di = 12;
    state.dj = -7;
    state.bblack = 1;
    state.zoomx1 = 1;
    state.zoomx2 = 1;
    RandomGenerator random;
    NewImageMotherParameters(state, random);

    EXPECT_EQ(state.f, 5);
    EXPECT_EQ(testing::BaseViewDifference(state), "");
    EXPECT_EQ(state.bblack, 0);
    EXPECT_EQ(state.sir, kImageWidth - 1);
    EXPECT_EQ(state.vis, kImageHeight - 1);
    // The start-up selectors are not this operation's to change.
    EXPECT_EQ(state.tip, 2);
    EXPECT_EQ(state.grad, 8);
    EXPECT_EQ(state.nacin, 1);
    EXPECT_EQ(state.manjul, 1);
}

TEST(DrawParametersFromSeed, TheSameSeedGivesTheSameParametersWhateverCameBefore) {
    ImageState a;
    ImageState b;
    RandomGenerator fresh;
    RandomGenerator used;
    used.Seed(99);
    for (int k = 0; k < 50; ++k) used.Draw();
    a.seed = b.seed = 31337;
    b.f = 17;
    DrawParametersFromSeed(a, fresh);
    DrawParametersFromSeed(b, used);

    const auto fields = [](const ImageState& s) {
        return std::array<double, 16>{s.cr,  s.ci,  s.fak01,   s.fak02, s.barva, s.dn1,
                                      s.dn2, s.dn3, s.xt1,     s.yt1,   s.xt2,   s.yt2,
                                      s.xt3, s.yt3, s.faktor1, s.f};
    };
    EXPECT_EQ(fields(a), fields(b));
}

TEST(DrawParametersFromSeed, KeepsEveryParameterInItsRangeAndReachesBothEnds) {
    std::set<double> fak01, fak02, barva, dn1, dn2, dn3, faktor1;
    RandomGenerator random;
    for (int seed = 1; seed <= 3000; ++seed) {
        ImageState s;
        s.seed = seed;
        DrawParametersFromSeed(s, random);
        SCOPED_TRACE("seed " + std::to_string(seed));
        for (const double c : {s.cr, s.ci}) {
            ASSERT_GE(c, -1.5);
            ASSERT_LT(c, 1.5);
        }
        for (const Single p : {s.xt1, s.yt1, s.xt2, s.yt2, s.xt3, s.yt3}) {
            ASSERT_GE(p, -1);
            ASSERT_LT(p, 1);
        }
        fak01.insert(s.fak01);
        fak02.insert(s.fak02);
        barva.insert(s.barva);
        dn1.insert(s.dn1);
        dn2.insert(s.dn2);
        dn3.insert(s.dn3);
        faktor1.insert(s.faktor1);
    }
    // Whole-valued parameters take every value of their range and no other.
    const auto every = [](double low, double high) {
        std::set<double> values;
        for (double v = low; v <= high; ++v) values.insert(v);
        return values;
    };
    EXPECT_EQ(fak01, every(1, 25));
    EXPECT_EQ(fak02, every(1, 25));
    EXPECT_EQ(barva, every(1, 22));
    EXPECT_EQ(dn1, every(1, 30));
    EXPECT_EQ(dn2, every(1, 30));
    EXPECT_EQ(dn3, every(1, 30));
    EXPECT_EQ(faktor1, every(80, 119));
}

// The parameters at the two ends of a draw. The generator cannot be replaced,
// so each row names a seed (found by searching the generator's sequences)
// whose draw at the row's place is exactly 0, or exactly the largest single
// below 1; the row first checks that this is still so.
constexpr double kLargestDraw = 16777215.0 / 16777216.0;  // 1 - 2^-24

struct ExtremeRow {
    const char* field;
    double fixture_seed;
    int place;  // which draw after seeding: 0 is the first
    double draw;
    double expected;
};

void PrintTo(const ExtremeRow& row, std::ostream* os) {
    *os << row.field << " at draw " << row.place << " = " << row.draw << " of seed "
        << row.fixture_seed;
}

double Field(const ImageState& s, const std::string& name) {
    const std::pair<const char*, double> fields[] = {
        {"seed", s.seed},   {"cr", s.cr},       {"ci", s.ci},   {"fak01", s.fak01},
        {"fak02", s.fak02}, {"barva", s.barva}, {"dn1", s.dn1}, {"dn2", s.dn2},
        {"dn3", s.dn3},     {"xt1", s.xt1},     {"yt1", s.yt1}, {"xt2", s.xt2},
        {"yt2", s.yt2},     {"xt3", s.xt3},     {"yt3", s.yt3}, {"faktor1", s.faktor1}};
    for (const auto& [field, value] : fields) {
        if (name == field) return value;
    }
    ADD_FAILURE() << "no field " << name;
    return NAN;
}

class DrawExtremes : public ::testing::TestWithParam<ExtremeRow> {};

TEST_P(DrawExtremes, GiveTheEndsOfTheRange) {
    const ExtremeRow& row = GetParam();
    ASSERT_EQ(DrawsAfterSeeding(row.fixture_seed)[static_cast<std::size_t>(row.place)], row.draw)
        << "fixture seed " << row.fixture_seed << " no longer draws " << row.draw;
    ImageState state;
    RandomGenerator random;
    if (std::string(row.field) == "seed") {
        // The seed is drawn from the generator as it stands.
        random.Reset();
        random.Seed(row.fixture_seed);
        DrawSeed(state, random);
    } else {
        state.seed = row.fixture_seed;
        DrawParametersFromSeed(state, random);
    }
    EXPECT_EQ(Field(state, row.field), row.expected);
}

// Just below the top: 3 * (1 - 2^-24) - 1.5 and 2 * (1 - 2^-24) - 1.
constexpr double kCrTop = 1.5 - 3.0 / 16777216.0;
constexpr double kPointTop = 1 - 2.0 / 16777216.0;

INSTANTIATE_TEST_SUITE_P(
    NewImageMother, DrawExtremes,
    ::testing::Values(
        ExtremeRow{"seed", 3024852, 0, 0, 1}, ExtremeRow{"seed", 3590193, 0, kLargestDraw, 1e6},
        ExtremeRow{"cr", 3024852, 0, 0, -1.5}, ExtremeRow{"cr", 3590193, 0, kLargestDraw, kCrTop},
        ExtremeRow{"ci", 19639939, 1, 0, -1.5}, ExtremeRow{"ci", 5610649, 1, kLargestDraw, kCrTop},
        ExtremeRow{"fak01", 1142631, 2, 0, 1}, ExtremeRow{"fak01", 4526808, 2, kLargestDraw, 25},
        ExtremeRow{"fak02", 56296, 3, 0, 1}, ExtremeRow{"fak02", 3238476, 3, kLargestDraw, 25},
        ExtremeRow{"barva", 7820313, 4, 0, 1}, ExtremeRow{"barva", 2987682, 4, kLargestDraw, 22},
        ExtremeRow{"dn1", 12901408, 5, 0, 1}, ExtremeRow{"dn1", 8489660, 5, kLargestDraw, 30},
        ExtremeRow{"dn2", 18703552, 6, 0, 1}, ExtremeRow{"dn2", 22060389, 6, kLargestDraw, 30},
        ExtremeRow{"dn3", 6430526, 7, 0, 1}, ExtremeRow{"dn3", 10838591, 7, kLargestDraw, 30},
        ExtremeRow{"xt1", 38697964, 8, 0, -1},
        ExtremeRow{"xt1", 9815306, 8, kLargestDraw, kPointTop},
        ExtremeRow{"yt1", 36291162, 9, 0, -1},
        ExtremeRow{"yt1", 9919694, 9, kLargestDraw, kPointTop},
        ExtremeRow{"xt2", 28958165, 10, 0, -1},
        ExtremeRow{"xt2", 523845, 10, kLargestDraw, kPointTop},
        ExtremeRow{"yt2", 27647818, 11, 0, -1},
        ExtremeRow{"yt2", 8671249, 11, kLargestDraw, kPointTop},
        ExtremeRow{"xt3", 9304477, 12, 0, -1},
        ExtremeRow{"xt3", 65904042, 12, kLargestDraw, kPointTop},
        ExtremeRow{"yt3", 7131475, 13, 0, -1},
        ExtremeRow{"yt3", 32758613, 13, kLargestDraw, kPointTop},
        ExtremeRow{"faktor1", 37064992, 14, 0, 80},
        ExtremeRow{"faktor1", 50632020, 14, kLargestDraw, 119}),
    [](const auto& info) {
        const ExtremeRow& row = info.param;
        return RowName(std::string(row.field) +
                       (row.draw == 0 ? " at a draw of 0" : " at the largest draw"));
    });

}  // namespace
}  // namespace seedscape
