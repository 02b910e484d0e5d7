#include "state/random_generator.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace seedscape
