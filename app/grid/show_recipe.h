#pragma once

#include "app/grid/canvas.h"
#include "recipe/recipe.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// Draws a recipe's pictures on the window as the window first drew them: the
// surface cleared, the image mother of the recipe's seed (and parameters) at
// the origin with its credit line, then each press's child into the next
// place, at the press's magnification, each picture graded by the recipe's
// grading. The generator is left as that seed's
// image mother leaves it, so that "new" then shows the next mother of the
// chain. f ends as the last press's magnification (5 without presses).
//
// `fak` is the factor carried into the mother, which its pixels read where
// their first factor fails: 0, as in a fresh record, draws the recipe's own
// picture, the one every program makes of it; the value the window had when
// it first drew the mother draws the grid exactly as it was then.
void ShowRecipe(const Recipe& recipe, double fak, ImageState& state, RandomGenerator& random,
                Canvas& canvas);

}  // namespace seedscape
