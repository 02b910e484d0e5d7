#pragma once

#include <cstddef>

namespace seedscape {

// The text chunk that carries a picture's recipe, so that the file can be
// opened again and the picture rebuilt exactly.
inline constexpr char kRecipeKeyword[] = "seedscape-recipe";
// The longest recipe text a file may carry, as long as a recipe may be.
inline constexpr std::size_t kLongestRecipeText = 64 * 1024;

}  // namespace seedscape
