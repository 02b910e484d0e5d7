#include "recipe/favourites_text.h"

#include <algorithm>

#include "recipe/number_text.h"

namespace seedscape {

namespace {

constexpr std::string_view kHeader = "seedscape-favourites ";
constexpr int kVersion = 1;
// Far more than anyone keeps; a bigger file is not a favourites file.
constexpr std::size_t kMostFavourites = 100000;

}  // namespace

FavouritesReading ParseFavourites(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    if (lines.empty() || !lines[0].starts_with(kHeader)) {
        return {std::nullopt, "line 1: not a seedscape favourites file", {}};
    }
    const std::optional<long long> version = ParseWholeNumber(lines[0].substr(kHeader.size()));
    if (!version || *version < 1) return {std::nullopt, "line 1: unknown favourites format", {}};
    if (*version > kVersion) {
        return {std::nullopt,
                "made by a newer seedscape (favourites format " + std::to_string(*version) +
                    "); this one reads format 1",
                {}};
    }
    if (lines.size() > kMostFavourites)
        return {std::nullopt, "too many lines for a favourites file", {}};
    FavouritesReading reading{std::vector<Recipe>{}, {}, {}};
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (line.empty()) continue;
        const RecipeReading recipe = ParseRecipe(line);
        if (recipe.recipe) {
            reading.favourites->push_back(*recipe.recipe);
        } else {
            reading.bad_lines.push_back("line " + std::to_string(k + 1) + ": " + recipe.error);
        }
    }
    return reading;
}

std::string PrintFavourites(const std::vector<Recipe>& favourites) {
    std::string text = std::string(kHeader) + std::to_string(kVersion) + "\n";
    for (const Recipe& recipe : favourites) text += PrintRecipe(recipe) + "\n";
    return text;
}

void AddFavourite(std::vector<Recipe>& favourites, const Recipe& recipe) {
    if (std::find(favourites.begin(), favourites.end(), recipe) == favourites.end()) {
        favourites.push_back(recipe);
    }
}

void RemoveFavourite(std::vector<Recipe>& favourites, const Recipe& recipe) {
    favourites.erase(std::remove(favourites.begin(), favourites.end(), recipe), favourites.end());
}

}  // namespace seedscape
