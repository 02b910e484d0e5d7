#include "state/random_generator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace seedscape {
namespace {

TEST(RandomGenerator, ResetThenSeedGivesASequenceOfTheSeedAlone) {
    RandomGenerator a;
    RandomGenerator b;
    a.Seed(12.5);  // different history before the reset
    a.Draw();
    a.Reset();
    a.Seed(483920);
    b.Reset();
    b.Seed(483920);
    for (int k = 0; k < 100; ++k) ASSERT_EQ(a.Draw(), b.Draw()) << "draw " << k;
}

TEST(RandomGenerator, PlusAndMinusZeroAreOneSeed) {
    RandomGenerator plus;
    RandomGenerator minus;
    plus.Reset();
    plus.Seed(0.0);
    minus.Reset();
    minus.Seed(-0.0);
    for (int k = 0; k < 20; ++k) ASSERT_EQ(plus.Draw(), minus.Draw()) << "draw " << k;
}

TEST(RandomGenerator, ResetAloneReturnsToTheSameState) {
    RandomGenerator random;
    const float first = random.Draw();
    for (int k = 0; k < 37; ++k) random.Draw();
    random.Reset();
    EXPECT_EQ(random.Draw(), first);
}

TEST(RandomGenerator, DifferentSeedsGiveDifferentSequences) {
    RandomGenerator a;
    RandomGenerator b;
    a.Seed(1);
    b.Seed(2);
    int equal = 0;
    for (int k = 0; k < 20; ++k) equal += a.Draw() == b.Draw() ? 1 : 0;
    EXPECT_LT(equal, 20);
}

TEST(RandomGenerator, DrawsAreUniformSinglesFromZeroUpToButNotIncludingOne) {
    RandomGenerator random;
    random.Seed(777);
    constexpr int kDraws = 200000;
    double sum = 0;
    int low_half = 0;
    for (int k = 0; k < kDraws; ++k) {
        const float r = random.Draw();
        ASSERT_GE(r, 0.0f) << "draw " << k;
        ASSERT_LT(r, 1.0f) << "draw " << k;
        sum += r;
        low_half += r < 0.5f ? 1 : 0;
    }
    // The mean of 200,000 uniform draws lies within 0.5 +- 0.003 (about
    // five standard deviations), and so does the share below one half.
    EXPECT_NEAR(sum / kDraws, 0.5, 0.003);
    EXPECT_NEAR(static_cast<double>(low_half) / kDraws, 0.5, 0.006);
}

}  // namespace
}  // namespace seedscape
