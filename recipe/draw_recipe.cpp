#include "recipe/draw_recipe.h"

namespace seedscape {

void DrawRecipe(const Recipe& recipe, ImageState& state, DrawingSurface& surface,
                const RenderPass& pass) {
    state = RecipeMotherRecord(recipe);
    pass(state, surface);
    for (const RecipePress& press : recipe.presses) {
        state.f = press.f;
        RenderImageChild(state, surface, press.x, press.y, pass);
    }
}

TilePlace PlaceOfPicture(const Recipe& recipe) {
    return PlaceAfterChildren(recipe.presses.size());
}

PixelImage RenderRecipePicture(const Recipe& recipe, const RenderPass& pass) {
    // Only the picture's own place is kept: no canvas for the whole grid.
    const TilePlace place = PlaceOfPicture(recipe);
    PixelImage picture(kImageWidth, kImageHeight);
    ImageWindow window(picture, place.x, place.y, kCanvasWidth, kCanvasHeight);
    ImageState state;
    DrawRecipe(recipe, state, window, pass);
    return picture;
}

}  // namespace seedscape
