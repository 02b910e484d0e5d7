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
    // The favourites of every line that reads; none when the file as a whole
    // is not one (another file, a newer format, far too many lines).
    std::optional<std::vector<Recipe>> favourites;
    std::string error;  // why the file as a whole is refused
    // The lines that do not read, each as "line 3: <why>". One bad line does
    // not hide the good ones, but a file with any is not to be written over
    // without a backup: that would lose them.
    std::vector<std::string> bad_lines;
};

// Reads the first line strictly and each recipe line on its own.
FavouritesReading ParseFavourites(std::string_view text);

std::string PrintFavourites(const std::vector<Recipe>& favourites);

// Adds `recipe` at the end unless it is there already; removes it. Both
// leave the other favourites and their order alone.
void AddFavourite(std::vector<Recipe>& favourites, const Recipe& recipe);
void RemoveFavourite(std::vector<Recipe>& favourites, const Recipe& recipe);

}  // namespace seedscape
