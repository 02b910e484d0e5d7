#include "recipe/picture_description.h"

#include <algorithm>

namespace seedscape {

std::string DescribePicture(const Recipe& recipe) {
    const bool varied = std::any_of(recipe.overrides.begin(), recipe.overrides.end(),
                                    [](const auto& value) { return value.has_value(); });
    std::string text = "seed " + std::to_string(recipe.seed) + (varied ? ", varied" : "");
    if (recipe.presses.empty()) return text;
    const std::size_t presses = recipe.presses.size();
    return "child of " + text + ", " + std::to_string(presses) +
           (presses == 1 ? " press" : " presses");
}

}  // namespace seedscape
