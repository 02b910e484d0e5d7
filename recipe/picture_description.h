#pragma once

#include <string>

#include "recipe/recipe.h"

namespace seedscape {

// How messages name a picture: "seed 4242" for a mother as its seed draws
// it, "seed 4242, varied" for one with parameters set by hand (the seed
// alone draws another picture), "child of seed 4242, 2 presses" for a child.
std::string DescribePicture(const Recipe& recipe);

}  // namespace seedscape
