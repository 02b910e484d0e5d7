#pragma once

#include <cstddef>
#include <functional>

#include "recipe/recipe.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// One of a recipe's pictures, as DrawRecipe comes to it.
struct RecipePicture {
    std::size_t number = 0;  // 0: the image mother; k: the child of the k-th press
    bool last = false;       // the picture the recipe names
};

// Renders one picture of a recipe from the record, which holds the picture's
// view (magnified, for a child) and its place of the grid in the tile offset.
using PicturePass = std::function<void(ImageState& state, const RecipePicture& picture)>;

// Draws a recipe's pictures in order, as the window does, from `state`, which
// holds the recipe's image mother ready to render: the mother, then each
// press's child, at its magnification, in the next place of the grid. `draw`
// renders each one; what it leaves in the record, the factor above all, is
// what the next picture starts from. Leaves the record as the window holds it
// after the last picture, with f the last press's magnification.
void DrawRecipe(const Recipe& recipe, ImageState& state, const PicturePass& draw);

// Readies the window's record for a recipe's image mother: the tile offset at
// the mother's place, `fak` carried in, the seed's parameters drawn with the
// window's generator (left as that seed leaves it), then the parameters set
// by hand. The record's other fields stay as they were.
void StartRecipeMother(const Recipe& recipe, double fak, ImageState& state,
                       RandomGenerator& random);

// The place of the grid that the recipe's picture (its last one) is drawn in.
TilePlace PlaceOfPicture(const Recipe& recipe);

// The picture a recipe names, at 1x and graded: its 291 x 211 pixels alone. The
// pictures before it are rendered too, for the factor they leave behind, but
// not kept.
PixelImage RenderRecipePicture(const Recipe& recipe, const RenderPass& pass);

}  // namespace seedscape
