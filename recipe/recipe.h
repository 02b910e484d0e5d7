#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/grading.h"
#include "recipe/recipe_press.h"
#include "recipe/settable_fields.h"
#include "state/image_state.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// One line of text that names exactly one picture:
//
//   seedscape/1 seed=449139 barva=7 hue=30 press=150,100@5 press=60,150@7
//
// the seed, any per-image parameters set by hand, the colour grading where it
// is not neutral, then every press since the
// mother in order (a child's pixels depend on the factor that the pictures
// before it leave behind). The picture named is the last one: the mother if
// there are no presses. An exported file adds its scale and supersampling.
struct Recipe {
    static constexpr int kFormat = 1;
    static constexpr int kMostPresses = 1000;
    static constexpr std::size_t kLongestText = 64 * 1024;

    int seed = 1;
    // Indexed like SettableFields(); each value as the field would store it.
    std::array<std::optional<double>, 14> overrides;
    // Applied to the finished pixels: not a field of the record.
    Grading grading;
    std::vector<RecipePress> presses;
    int scale = 1;
    int supersample = 1;

    friend bool operator==(const Recipe&, const Recipe&) = default;
};

// Either a recipe or why the text is not one. The reason names the token.
struct RecipeReading {
    std::optional<Recipe> recipe;
    std::string error;
};

// Reads a recipe strictly: an unknown key, a value out of range, a malformed
// press, a key given twice or out of its place is refused. Blanks around and
// between the tokens are allowed, nothing else.
RecipeReading ParseRecipe(std::string_view text);

// The recipe in its one canonical form: the parameters in the order of
// SettableFields(), then the grading's fields that are not neutral in the
// order of GradingFields(), every value in the shortest text that reads back as the
// identical number; scale and supersample only when they are not 1.
std::string PrintRecipe(const Recipe& recipe);

// Checks a recipe made in code against what ParseRecipe would accept. Returns
// "" when it is sound, else why not.
std::string CheckRecipe(const Recipe& recipe);

// Stores the recipe's parameters set by hand in the record, each as its field
// stores it; the other fields stay as they are.
void ApplyHandSetFields(const Recipe& recipe, ImageState& state);

// The record of the recipe's image mother, ready to render: start-up's
// selectors, the seed's parameters, then the parameters set by hand.
ImageState RecipeMotherRecord(const Recipe& recipe);

// The recipe of a picture without its export settings: the one the window
// shows at 1x.
Recipe OnScreen(Recipe recipe);

}  // namespace seedscape
