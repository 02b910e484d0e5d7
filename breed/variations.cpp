#include "breed/variations.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "recipe/settable_fields.h"
#include "state/image_mother_parameters.h"
#include "state/parameter_ranges.h"
#include "state/random_generator.h"

namespace seedscape {

namespace {

constexpr std::array<std::string_view, kParameterGroups> kGroupNames = {"scheme", "factors",
                                                                        "points", "multipliers"};
constexpr std::array<std::string_view, 3> kStrengthNames = {"small", "medium", "wild"};

// The chance that an unlocked group changes in a variant; when none does,
// one of them is chosen.
constexpr float kChangeChance = 0.5f;

// FNV-1a over the text: the same settings always give the same number.
std::uint64_t Hash(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// A generator of the variants' own, seeded by everything that decides them.
// The grading is no part of it: a graded parent breeds the variants its
// ungraded self does, each graded as the parent.
RandomGenerator VariantGenerator(const Recipe& parent, const BreedSettings& settings) {
    Recipe drawn = OnScreen(parent);
    drawn.grading = {};
    std::string key = PrintRecipe(drawn);
    key += " generation=" + std::to_string(settings.generation);
    key += " strength=" + std::string(StrengthName(settings.strength));
    for (int g = 0; g < kParameterGroups; ++g) {
        if (settings.locked[g]) key += " lock=" + std::string(kGroupNames[g]);
    }
    const std::uint64_t hash = Hash(key);
    RandomGenerator random;
    random.Seed(static_cast<double>(hash >> 32U));
    random.Seed(static_cast<double>(hash & 0xFFFFFFFFU));
    return random;
}

// A whole number from `lowest` to `highest`, each equally likely.
int DrawWhole(RandomGenerator& random, int lowest, int highest) {
    const int drawn =
        lowest +
        static_cast<int>(std::floor(static_cast<double>(random.Draw()) * (highest - lowest + 1)));
    return std::min(drawn, highest);
}

// Another factor formula than `current`'s.
int OtherFactor(RandomGenerator& random, int current) {
    for (;;) {
        const int selector =
            DrawWhole(random, kFactorFormulaRange.lowest, kFactorFormulaRange.highest);
        if (!SameFactorFormula(selector, current)) return selector;
    }
}

double PointReach(BreedStrength strength) {
    switch (strength) {
        case BreedStrength::kSmall:
            return 0.05;
        case BreedStrength::kMedium:
            return 0.25;
        case BreedStrength::kWild:
            break;
    }
    return 2.0;
}

int MultiplierReach(BreedStrength strength) {
    switch (strength) {
        case BreedStrength::kSmall:
            return 2;
        case BreedStrength::kMedium:
            return 6;
        case BreedStrength::kWild:
            break;
    }
    return kMultiplierRange.highest - kMultiplierRange.lowest;
}

// A coordinate moved by up to `reach` either way, folded back into the
// range of the reference points at its ends.
float MovePoint(RandomGenerator& random, double value, double reach) {
    constexpr double kLowest = kReferencePointRange.lowest;
    constexpr double kBelow = kReferencePointRange.below;
    double moved = value + (2 * static_cast<double>(random.Draw()) - 1) * reach;
    while (!kReferencePointRange.Holds(moved)) {
        moved = moved >= kBelow ? 2 * kBelow - moved : 2 * kLowest - moved;
    }
    float stored = static_cast<float>(moved);
    if (stored >= static_cast<float>(kBelow)) {
        stored = std::nextafter(static_cast<float>(kBelow), static_cast<float>(kLowest));
    }
    return stored;
}

void ChangeScheme(RandomGenerator& random, ImageState& state) {
    const int current = static_cast<int>(state.barva);
    // One of the other schemes: the range without its last, and from the
    // current scheme on, each moved up by one.
    const int drawn = DrawWhole(random, kColourSchemeRange.lowest, kColourSchemeRange.highest - 1);
    state.barva = drawn >= current ? drawn + 1 : drawn;
}

void ChangeFactors(RandomGenerator& random, ImageState& state) {
    const int which = DrawWhole(random, 0, 2);  // the first, the second, or both
    if (which != 1) state.fak01 = OtherFactor(random, static_cast<int>(state.fak01));
    if (which != 0) state.fak02 = OtherFactor(random, static_cast<int>(state.fak02));
}

void ChangePoints(RandomGenerator& random, ImageState& state, BreedStrength strength) {
    const double reach = PointReach(strength);
    Single* const points[] = {&state.xt1, &state.yt1, &state.xt2,
                              &state.yt2, &state.xt3, &state.yt3};
    bool moved = false;
    for (Single* point : points) {
        const float before = static_cast<float>(double(*point));
        const float after = MovePoint(random, before, reach);
        *point = after;
        moved = moved || after != before;
    }
    // Six draws that all land where they started are next to impossible, but
    // a variant must differ: then the first point moves half the plane.
    if (!moved)
        state.xt1 = double(state.xt1) >= 0 ? double(state.xt1) - 0.5 : double(state.xt1) + 0.5;
}

void ChangeMultipliers(RandomGenerator& random, ImageState& state, BreedStrength strength) {
    const int reach = MultiplierReach(strength);
    Single* const multipliers[] = {&state.dn1, &state.dn2, &state.dn3};
    bool changed = false;
    for (Single* multiplier : multipliers) {
        const int before = static_cast<int>(double(*multiplier));
        const int after = std::clamp(before + DrawWhole(random, -reach, reach),
                                     kMultiplierRange.lowest, kMultiplierRange.highest);
        *multiplier = after;
        changed = changed || after != before;
    }
    if (!changed) {
        const double dn1 = state.dn1;
        state.dn1 = dn1 < kMultiplierRange.highest ? dn1 + 1 : kMultiplierRange.highest - 1;
    }
}

// One variant of `start`: each unlocked group changes by chance, and one of
// them surely.
Recipe DrawVariant(RandomGenerator& random, const ImageState& start,
                   const std::vector<int>& unlocked, const Recipe& parent, BreedStrength strength) {
    std::array<bool, kParameterGroups> change = {};
    bool any = false;
    for (const int g : unlocked) {
        change[g] = random.Draw() < kChangeChance;
        any = any || change[g];
    }
    if (!any) change[unlocked[DrawWhole(random, 0, static_cast<int>(unlocked.size()) - 1)]] = true;

    ImageState state = start;
    if (change[0]) ChangeScheme(random, state);
    if (change[1]) ChangeFactors(random, state);
    if (change[2]) ChangePoints(random, state, strength);
    if (change[3]) ChangeMultipliers(random, state, strength);
    Recipe variant = RecipeOfRecord(state, parent.seed, parent.presses);
    variant.grading = parent.grading;
    return variant;
}

}  // namespace

std::string_view GroupName(ParameterGroup group) {
    return kGroupNames[static_cast<int>(group)];
}

std::optional<ParameterGroup> GroupNamed(std::string_view name) {
    for (int g = 0; g < kParameterGroups; ++g) {
        if (kGroupNames[g] == name) return static_cast<ParameterGroup>(g);
    }
    return std::nullopt;
}

std::string_view StrengthName(BreedStrength strength) {
    return kStrengthNames[static_cast<int>(strength)];
}

std::optional<BreedStrength> StrengthNamed(std::string_view name) {
    for (int s = 0; s < 3; ++s) {
        if (kStrengthNames[s] == name) return static_cast<BreedStrength>(s);
    }
    return std::nullopt;
}

Recipe RecipeOfRecord(const ImageState& state, int seed, const std::vector<RecipePress>& presses) {
    const ImageState drawn = ImageMotherRecord(seed);
    Recipe recipe;
    recipe.seed = seed;
    recipe.presses = presses;
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const double value = fields[k].load(state);
        if (std::bit_cast<std::uint64_t>(value) !=
            std::bit_cast<std::uint64_t>(fields[k].load(drawn))) {
            recipe.overrides[k] = value;
        }
    }
    return recipe;
}

std::optional<std::array<Recipe, kVariantsPerGeneration>> BreedVariants(
    const Recipe& parent, const BreedSettings& settings) {
    std::vector<int> unlocked;
    for (int g = 0; g < kParameterGroups; ++g) {
        if (!settings.locked[g]) unlocked.push_back(g);
    }
    if (unlocked.empty()) return std::nullopt;

    RandomGenerator random = VariantGenerator(parent, settings);
    const ImageState start = RecipeMotherRecord(parent);
    Recipe centre = RecipeOfRecord(start, parent.seed, parent.presses);
    centre.grading = parent.grading;
    std::array<Recipe, kVariantsPerGeneration> variants;
    // A draw that repeats the centre or an earlier variant is drawn again from
    // the same generator, so the eight always differ; a generation without a
    // repeat draws exactly what it always did. Every group has more than eight
    // outcomes, so the redraws end.
    for (int bred = 0; bred < kVariantsPerGeneration;) {
        const Recipe variant = DrawVariant(random, start, unlocked, parent, settings.strength);
        const auto earlier = variants.begin() + bred;
        if (variant == centre || std::find(variants.begin(), earlier, variant) != earlier) continue;
        variants[bred++] = variant;
    }
    return variants;
}

}  // namespace seedscape
