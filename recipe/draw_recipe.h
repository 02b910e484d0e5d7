#pragma once

#include "recipe/recipe.h"
#include "render/drawing_surface.h"
#include "render/image_child.h"
#include "render/pixel_image.h"
#include "state/grid_geometry.h"
#include "state/image_state.h"

namespace seedscape {

// Draws every picture of a recipe as the window does: the image mother at the
// origin, then each press's child, at its magnification, into the next place
// of the grid. Leaves the record as the window holds it after the last
// picture, with f the last press's magnification (5 when there is none).
void DrawRecipe(const Recipe& recipe, ImageState& state, DrawingSurface& surface,
                const RenderPass& pass);

// The place of the grid that the recipe's picture (its last one) is drawn in.
TilePlace PlaceOfPicture(const Recipe& recipe);

// The picture a recipe names, at 1x: its 291 x 211 pixels alone. The
// pictures before it are rendered too, for the factor they leave behind, but
// not kept.
PixelImage RenderRecipePicture(const Recipe& recipe, const RenderPass& pass);

}  // namespace seedscape
