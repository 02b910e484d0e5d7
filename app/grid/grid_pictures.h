#pragma once

#include <array>
#include <optional>

#include "recipe/recipe.h"
#include "state/grid_geometry.h"

namespace seedscape {

// What the window's grid shows, as recipes: the image mother's, the presses
// drawn since, and which of them each place of the grid holds.
class GridPictures {
  public:
    // A new image mother: the grid holds it alone.
    void StartMother(const Recipe& mother);

    // A child drawn at `place` by `press`.
    void AddPress(const RecipePress& press, TilePlace place);

    // A whole recipe drawn on a cleared grid: its mother, then each press into
    // the next place.
    void ShowAll(const Recipe& recipe);

    // The latest picture: the mother, or the last child.
    const Recipe& Latest() const { return recipe_; }

    // The picture at place `index` (0 to 8, row by row), or nothing when the
    // place is empty.
    std::optional<Recipe> PictureAt(int index) const;

  private:
    Recipe recipe_;
    // How many presses the recipe of each place's picture has; -1: empty.
    std::array<int, kGridPlaces> presses_at_ = {0, -1, -1, -1, -1, -1, -1, -1, -1};
};

}  // namespace seedscape
