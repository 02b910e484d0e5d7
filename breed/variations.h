#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "recipe/recipe.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// The groups of an image's parameters that breeding changes. cr and ci are
// not among them: every pixel overwrites them with its own point.
enum class ParameterGroup {
    kScheme,       // barva
    kFactors,      // fak01, fak02
    kPoints,       // xt1 ... yt3
    kMultipliers,  // dn1, dn2, dn3
};
inline constexpr int kParameterGroups = 4;

// How far the continuous values move: the reference points, and the
// multipliers.
enum class BreedStrength { kSmall, kMedium, kWild };

struct BreedSettings {
    std::array<bool, kParameterGroups> locked = {};
    BreedStrength strength = BreedStrength::kMedium;
    int generation = 1;
};

inline constexpr int kVariantsPerGeneration = 8;
inline constexpr WholeRange kGenerationRange{1, std::numeric_limits<int>::max()};

// The eight variants of `parent`. Each differs from it in unlocked groups
// only, and in at least one of them; its recipe is the parent's seed with an
// override for every parameter that differs from the seed's own draw (and
// the parent's presses, so a child's variants stay children, and the
// parent's grading, which breeding never varies). They are drawn from a
// generator of their own, seeded by the parent's recipe without its grading, the
// settings and the generation: the same arguments always give the same
// eight, and no other generator is touched. Empty when every group is locked.
std::optional<std::array<Recipe, kVariantsPerGeneration>> BreedVariants(
    const Recipe& parent, const BreedSettings& settings);

// The group's name on the command line ("scheme", "factors", "points",
// "multipliers") and back.
std::string_view GroupName(ParameterGroup group);
std::optional<ParameterGroup> GroupNamed(std::string_view name);

std::string_view StrengthName(BreedStrength strength);
std::optional<BreedStrength> StrengthNamed(std::string_view name);

// The recipe of the picture `state` holds: `seed` with an override for every
// settable parameter that differs from that seed's own draw, and `presses`.
Recipe RecipeOfRecord(const ImageState& state, int seed, const std::vector<RecipePress>& presses);

}  // namespace seedscape
