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

// What a seed draws, in the order of the draws: the fifteen parameters, then
// the seed of the next image mother from the sixteenth draw. Worked out once
// with the code as it stands and checked by hand against the generator's
// draws, so that another order, scale or rounding of any draw shows. The
// reference points are stored as floats.
struct DrawnRow {
    std::string what;
    double seed;
    double cr, ci;
    double fak01, fak02, barva, dn1, dn2, dn3;
    std::array<float, 6> points;  // xt1, yt1, xt2, yt2, xt3, yt3
    double faktor1;
    double next_seed;
};

void PrintTo(const DrawnRow& row, std::ostream* os) {
    *os << row.what;
}

class SeedDraws : public ::testing::TestWithParam<DrawnRow> {};

TEST_P(SeedDraws, GiveThePinnedParametersAndNextSeed) {
    const DrawnRow& row = GetParam();
    ImageState state;
    RandomGenerator random;
    state.seed = row.seed;
    DrawParametersFromSeed(state, random);
    DrawSeed(state, random);  // the generator goes on from the parameters' draws

    const std::pair<const char*, std::pair<double, double>> fields[] = {
        {"cr", {state.cr, row.cr}},
        {"ci", {state.ci, row.ci}},
        {"fak01", {state.fak01, row.fak01}},
        {"fak02", {state.fak02, row.fak02}},
        {"barva", {state.barva, row.barva}},
        {"dn1", {state.dn1, row.dn1}},
        {"dn2", {state.dn2, row.dn2}},
        {"dn3", {state.dn3, row.dn3}},
        {"xt1", {state.xt1, row.points[0]}},
        {"yt1", {state.yt1, row.points[1]}},
        {"xt2", {state.xt2, row.points[2]}},
        {"yt2", {state.yt2, row.points[3]}},
        {"xt3", {state.xt3, row.points[4]}},
        {"yt3", {state.yt3, row.points[5]}},
        {"faktor1", {state.faktor1, row.faktor1}},
        {"the next seed", {state.seed, row.next_seed}},
    };
    for (const auto& [field, got_and_want] : fields) {
        EXPECT_EQ(got_and_want.first, got_and_want.second) << field;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    NamedSeeds, SeedDraws,
    ::testing::Values(
        DrawnRow{"the smallest seed 1", 1, -1.4145830869674683, -0.07217109203338623, 15, 22, 8, 21, 11, 12,
                 {-0.443499088f, -0.736802697f, -0.543815136f, 0.522981167f, 0.231300235f, 0.135558605f}, 100, 774272},
        DrawnRow{"the largest seed 1000000 draws factor 1", 1000000, 0.78473979234695435, 0.69456356763839722, 1, 7, 4, 17, 16, 11,
                 {-0.0566704273f, -0.304876685f, 0.174699545f, -0.0025396347f, 0.588683367f, 0.544362068f}, 82, 815260},
        DrawnRow{"seed 12345 draws the largest multiplier 30", 12345, -0.56178814172744751, 0.19393908977508545, 18, 2, 13, 10, 30, 16,
                 {0.260288358f, 0.771003366f, -0.514273882f, -0.290304542f, 0.753637671f, 0.337385297f}, 99, 695593},
        DrawnRow{"seed 449139 draws the largest factor 25", 449139, -1.3776091933250427, -0.82566404342651367, 25, 7, 21, 10, 14, 12,
                 {-0.135361195f, -0.174425721f, -0.540470004f, -0.04195714f, 0.578032017f, 0.522239566f}, 86, 388571},
        DrawnRow{"seed 271828 draws a point just above the real axis", 271828, -0.27093476057052612, -1.0371449589729309, 14, 22, 19, 17, 23, 26,
                 {0.258683443f, -0.227645755f, 0.661342621f, 0.0008071661f, -0.718016982f, 0.259974241f}, 112, 255344}),
    [](const auto& info) { return RowName(info.param.what); });
// clang-format on

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
