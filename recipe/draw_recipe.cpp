#include "recipe/draw_recipe.h"

#include "render/graded_surface.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

void DrawRecipe(const Recipe& recipe, ImageState& state, const PicturePass& draw) {
    const std::size_t presses = recipe.presses.size();
    draw(state, {0, presses == 0});
    for (std::size_t k = 0; k < presses; ++k) {
        const RecipePress& press = recipe.presses[k];
        const RecipePicture child{k + 1, k + 1 == presses};
        state.f = press.f;
        RenderImageChild(state, press.x, press.y, [&](ImageState& view) { draw(view, child); });
    }
}

void StartRecipeMother(const Recipe& recipe, double fak, ImageState& state,
                       RandomGenerator& random) {
    state.fak = fak;
    state.zamikx = 0;
    state.zamiky = 0;
    state.seed = recipe.seed;
    DrawParametersFromSeed(state, random);
    ApplyHandSetFields(recipe, state);
}

TilePlace PlaceOfPicture(const Recipe& recipe) {
    return PlaceAfterChildren(recipe.presses.size());
}

PixelImage RenderRecipePicture(const Recipe& recipe, const RenderPass& pass) {
    // Only the picture's own place is kept: no canvas for the whole grid.
    const TilePlace place = PlaceOfPicture(recipe);
    PixelImage picture(kImageWidth, kImageHeight);
    ImageWindow window(picture, place.x, place.y, kCanvasWidth, kCanvasHeight);
    // Only the picture kept is graded: the ones before it lie outside it or
    // under it.
    GradedSurface graded(window, recipe.grading);
    ImageState state = RecipeMotherRecord(recipe);
    DrawRecipe(recipe, state, [&](ImageState& view, const RecipePicture& which) {
        pass(view, which.last ? static_cast<DrawingSurface&>(graded) : window);
    });
    return picture;
}

}  // namespace seedscape
