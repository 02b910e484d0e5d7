// Breeding: variants are deterministic, honour the locks, always change
// something, and are exact recipes.
#include "breed/variations.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "recipe/settable_fields.h"
#include "state/random_generator.h"

namespace seedscape {
namespace {

Recipe Parent(int seed) {
    Recipe recipe;
    recipe.seed = seed;
    return recipe;
}

std::string Printed(const std::array<Recipe, kVariantsPerGeneration>& variants) {
    std::string text;
    for (const Recipe& variant : variants) text += PrintRecipe(variant) + "\n";
    return text;
}

// Which groups differ between two records, bit for bit.
std::array<bool, kParameterGroups> ChangedGroups(const ImageState& a, const ImageState& b) {
    const auto differs = [](double x, double y) {
        return std::bit_cast<std::uint64_t>(x) != std::bit_cast<std::uint64_t>(y);
    };
    return {differs(a.barva, b.barva), differs(a.fak01, b.fak01) || differs(a.fak02, b.fak02),
            differs(a.xt1, b.xt1) || differs(a.yt1, b.yt1) || differs(a.xt2, b.xt2) ||
                differs(a.yt2, b.yt2) || differs(a.xt3, b.xt3) || differs(a.yt3, b.yt3),
            differs(a.dn1, b.dn1) || differs(a.dn2, b.dn2) || differs(a.dn3, b.dn3)};
}

TEST(Breeding, TheSameArgumentsGiveTheSameEight) {
    BreedSettings settings;
    settings.generation = 3;
    const auto first = BreedVariants(Parent(449139), settings);
    const auto again = BreedVariants(Parent(449139), settings);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(Printed(*first), Printed(*again));

    // Each setting is part of what decides them.
    std::set<std::string> seen = {Printed(*first)};
    BreedSettings other = settings;
    other.generation = 4;
    seen.insert(Printed(*BreedVariants(Parent(449139), other)));
    other = settings;
    other.strength = BreedStrength::kWild;
    seen.insert(Printed(*BreedVariants(Parent(449139), other)));
    other = settings;
    other.locked[0] = true;
    seen.insert(Printed(*BreedVariants(Parent(449139), other)));
    seen.insert(Printed(*BreedVariants(Parent(449140), settings)));
    EXPECT_EQ(seen.size(), 5u);
}

TEST(Breeding, VariantsChangeOnlyUnlockedGroupsAndAlwaysOne) {
    RandomGenerator random;
    random.Seed(11);
    for (int k = 0; k < 300; ++k) {
        Recipe parent = Parent(1 + static_cast<int>(random.Draw() * 999999));
        if (k % 3 == 0) parent.overrides[0] = 1 + std::floor(random.Draw() * 22);  // barva
        if (k % 5 == 0) parent.presses.push_back({150, 100, 5});
        BreedSettings settings;
        const int locks = k % 15;  // every lock set but "all four"
        for (int g = 0; g < kParameterGroups; ++g) settings.locked[g] = (locks >> g) & 1;
        settings.strength = static_cast<BreedStrength>(k % 3);
        settings.generation = 1 + k % 7;
        const auto variants = BreedVariants(parent, settings);
        ASSERT_TRUE(variants.has_value());
        const ImageState before = RecipeMotherRecord(parent);
        for (const Recipe& variant : *variants) {
            SCOPED_TRACE(PrintRecipe(parent) + " -> " + PrintRecipe(variant));
            const std::array<bool, kParameterGroups> changed =
                ChangedGroups(before, RecipeMotherRecord(variant));
            bool any = false;
            for (int g = 0; g < kParameterGroups; ++g) {
                EXPECT_FALSE(changed[g] && settings.locked[g])
                    << "locked group " << g << " changed";
                any = any || changed[g];
            }
            EXPECT_TRUE(any) << "the variant is its parent";
            // A factor that changed names another formula; 9 repeats 8.
            const ImageState after = RecipeMotherRecord(variant);
            const std::pair<double, double> factors[] = {{before.fak01, after.fak01},
                                                         {before.fak02, after.fak02}};
            for (const auto& [was, is] : factors) {
                const bool both_eight = (was == 8 || was == 9) && (is == 8 || is == 9);
                EXPECT_FALSE(was != is && both_eight) << was << " became " << is;
            }
            EXPECT_EQ(variant.presses, parent.presses);
            // An exact recipe, overriding only what differs from the seed's draw.
            EXPECT_EQ(CheckRecipe(variant), "");
            const ImageState drawn = RecipeMotherRecord(Parent(variant.seed));
            for (std::size_t f = 0; f < SettableFields().size(); ++f) {
                if (variant.overrides[f]) {
                    EXPECT_NE(*variant.overrides[f], SettableFields()[f].load(drawn));
                }
            }
        }
    }
}

// 540 generations over seeds, locks, strengths and generations: the children
// of a picture are bred as often as mothers.
std::vector<std::pair<Recipe, BreedSettings>> ManyGenerations() {
    std::vector<std::pair<Recipe, BreedSettings>> generations;
    RandomGenerator random;
    random.Seed(540);
    for (int k = 0; k < 540; ++k) {
        Recipe parent = Parent(1 + static_cast<int>(random.Draw() * 999999));
        if (k % 4 == 0) parent.presses.push_back({150, 100, 5});
        BreedSettings settings;
        const int locks = k % 15;
        for (int g = 0; g < kParameterGroups; ++g) settings.locked[g] = (locks >> g) & 1;
        settings.strength = static_cast<BreedStrength>(k % 3);
        settings.generation = 1 + k % 9;
        generations.emplace_back(parent, settings);
    }
    return generations;
}

TEST(Breeding, NoGenerationHoldsTwoEqualVariantsOrTheCentre) {
    for (const auto& [parent, settings] : ManyGenerations()) {
        const auto variants = BreedVariants(parent, settings);
        ASSERT_TRUE(variants.has_value());
        const auto again = BreedVariants(parent, settings);
        EXPECT_EQ(Printed(*variants), Printed(*again)) << "a redraw is not deterministic";
        // Pictures, not recipe texts, must differ: compare the records drawn.
        std::vector<ImageState> seen = {RecipeMotherRecord(parent)};
        for (const Recipe& variant : *variants) {
            const ImageState state = RecipeMotherRecord(variant);
            for (const ImageState& other : seen) {
                const auto changed = ChangedGroups(other, state);
                EXPECT_TRUE(changed[0] || changed[1] || changed[2] || changed[3])
                    << PrintRecipe(parent) << " generation " << settings.generation << " repeats "
                    << PrintRecipe(variant);
            }
            seen.push_back(state);
        }
    }
}

// Breeding never varies the grading: a graded parent's variants are its
// ungraded self's, each carrying the parent's grading, through their text.
TEST(Breeding, VariantsCarryTheParentsGradingAndAreOtherwiseTheUngradedOnes) {
    Recipe graded = Parent(449139);
    graded.presses.push_back({150, 100, 5});
    Recipe plain = graded;
    graded.grading = {-30, 0.5, 1.25, 2.2};
    BreedSettings settings;
    settings.generation = 2;
    const auto from_graded = BreedVariants(graded, settings);
    const auto from_plain = BreedVariants(plain, settings);
    ASSERT_TRUE(from_graded && from_plain);
    for (std::size_t k = 0; k < from_graded->size(); ++k) {
        const Recipe& variant = (*from_graded)[k];
        EXPECT_EQ(variant.grading, graded.grading);
        Recipe without = variant;
        without.grading = {};
        EXPECT_TRUE(without == (*from_plain)[k]) << PrintRecipe(variant);
        EXPECT_TRUE(ParseRecipe(PrintRecipe(variant)).recipe == variant) << PrintRecipe(variant);
    }
}

TEST(Breeding, LockingEveryGroupLeavesNothingToBreed) {
    BreedSettings settings;
    settings.locked = {true, true, true, true};
    EXPECT_FALSE(BreedVariants(Parent(5), settings).has_value());
}

TEST(Breeding, GroupAndStrengthNamesReadBack) {
    for (int g = 0; g < kParameterGroups; ++g) {
        const auto group = static_cast<ParameterGroup>(g);
        EXPECT_EQ(GroupNamed(GroupName(group)), group);
    }
    for (const auto strength :
         {BreedStrength::kSmall, BreedStrength::kMedium, BreedStrength::kWild}) {
        EXPECT_EQ(StrengthNamed(StrengthName(strength)), strength);
    }
    EXPECT_FALSE(GroupNamed("colours").has_value());
    EXPECT_FALSE(StrengthNamed("Medium").has_value());
}

TEST(Breeding, SmallStepsStayNearTheParent) {
    BreedSettings settings;
    settings.strength = BreedStrength::kSmall;
    settings.locked = {true, true, false, true};  // points only
    const Recipe parent = Parent(31337);
    const ImageState before = RecipeMotherRecord(parent);
    for (int generation = 1; generation <= 20; ++generation) {
        settings.generation = generation;
        const auto variants = BreedVariants(parent, settings);
        ASSERT_TRUE(variants.has_value());
        for (const Recipe& variant : *variants) {
            const ImageState after = RecipeMotherRecord(variant);
            const std::pair<double, double> moves[] = {{after.xt1, before.xt1},
                                                       {after.yt3, before.yt3}};
            for (const auto& [a, b] : moves) {
                EXPECT_LE(std::fabs(a - b), 0.1);
                EXPECT_TRUE(a >= -1 && a < 1);
            }
        }
    }
}

}  // namespace
}  // namespace seedscape
