#pragma once

#include <gtest/gtest.h>

#include <string>

#include "recipe/recipe.h"

namespace seedscape::testing {

// A recipe the test writes out, which must read.
inline Recipe ReadRecipe(const std::string& text) {
    const RecipeReading reading = ParseRecipe(text);
    EXPECT_TRUE(reading.recipe.has_value()) << reading.error;
    return reading.recipe.value_or(Recipe{});
}

}  // namespace seedscape::testing
