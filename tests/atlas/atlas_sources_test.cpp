// The atlas's lists of seeds: the chain is exactly what "new" draws, and the
// random list leaves every other generator alone.
#include "atlas/atlas_sources.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "state/image_mother_parameters.h"

namespace seedscape {
namespace {

TEST(AtlasSources, NextInTheChainIsWhatNewDrawsNext) {
    // The window's generator as start-up leaves it, then "new" after "new".
    RandomGenerator window;
    window.Seed(45296.5f);
    ImageState state;
    NewImageMotherParameters(state, window);
    AtlasSource chain = AtlasSource::NextInChain(static_cast<int>(state.seed));
    for (int k = 0; k < 50; ++k) {
        NewImageMotherParameters(state, window);
        const std::optional<Recipe> listed = chain.At(k);
        ASSERT_TRUE(listed.has_value());
        EXPECT_EQ(listed->seed, state.seed) << "picture " << k;
    }
    // Asked out of order, the list is the same.
    AtlasSource again = AtlasSource::NextInChain(chain.At(0)->seed);
    EXPECT_EQ(again.At(3)->seed, chain.At(4)->seed);
}

// Every chain ends in a loop; the list stops before the first seed that
// would come round again, and names it. From seed 1 that is seed 856987,
// after 680 mothers; seed 661164 is its own successor.
TEST(AtlasSources, TheChainStopsWhereItCloses) {
    AtlasSource chain = AtlasSource::NextInChain(1);
    ASSERT_TRUE(chain.At(679).has_value());
    EXPECT_FALSE(chain.At(680).has_value());
    EXPECT_EQ(chain.closing_seed(), 856987);
    EXPECT_EQ(NextInChain(chain.At(679)->seed), 856987);
    std::vector<int> seeds = {1};
    for (int index = 0; index < 680; ++index) seeds.push_back(chain.At(index)->seed);
    EXPECT_EQ(std::count(seeds.begin(), seeds.end(), 856987), 1);
    std::sort(seeds.begin(), seeds.end());
    EXPECT_EQ(std::adjacent_find(seeds.begin(), seeds.end()), seeds.end()) << "a seed twice";

    AtlasSource fixed = AtlasSource::NextInChain(661164);
    EXPECT_FALSE(fixed.At(0).has_value());
    EXPECT_EQ(fixed.closing_seed(), 661164);
    EXPECT_EQ(AtlasSource::FromSeed(5).closing_seed(), 0);
}

TEST(AtlasSources, FromSeedCountsUpToTheLastSeed) {
    AtlasSource from = AtlasSource::FromSeed(999998);
    EXPECT_EQ(from.At(0)->seed, 999998);
    EXPECT_EQ(from.At(2)->seed, 1000000);
    EXPECT_FALSE(from.At(3).has_value());
    EXPECT_FALSE(from.At(-1).has_value());
    EXPECT_EQ(from.name(), "From seed 999998");
}

TEST(AtlasSources, RandomSeedsComeFromAGeneratorOfTheirOwn) {
    AtlasSource first = AtlasSource::Random(7);
    AtlasSource second = AtlasSource::Random(7);
    AtlasSource other = AtlasSource::Random(8);
    int differ = 0;
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(first.At(k)->seed, second.At(k)->seed);
        EXPECT_GE(first.At(k)->seed, 1);
        EXPECT_LE(first.At(k)->seed, 1000000);
        differ += first.At(k)->seed != other.At(k)->seed;
    }
    EXPECT_GT(differ, 15);
}

TEST(AtlasSources, FavouritesAreListedAsTheyAre) {
    Recipe child;
    child.seed = 12;
    child.presses.push_back({150, 100, 5});
    AtlasSource favourites = AtlasSource::Favourites({child});
    EXPECT_EQ(favourites.At(0), child);
    EXPECT_FALSE(favourites.At(1).has_value());
}

}  // namespace
}  // namespace seedscape
