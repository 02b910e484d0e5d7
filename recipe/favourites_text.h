#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// The favourites file: a first line naming the format and its version, then
// one recipe a line.
//
//   seedscape-favourites 1
//   seedscape/1 seed=449139 barva=7
//   seedscape/1 seed=12 press=150,100@5
struct FavouritesReading {
    std::optional<std::vector<Recipe>> favourites;
    std::string error;  // which line is wrong, and how
};

// Reads the whole file strictly: one line it cannot read makes the file
// unreadable, so that nothing of it is lost by writing it again.
FavouritesReading ParseFavourites(std::string_view text);

std::string PrintFavourites(const std::vector<Recipe>& favourites);

// Adds `recipe` at the end unless it is there already; removes it. Both
// leave the other favourites and their order alone.
void AddFavourite(std::vector<Recipe>& favourites, const Recipe& recipe);
void RemoveFavourite(std::vector<Recipe>& favourites, const Recipe& recipe);

}  // namespace seedscape
