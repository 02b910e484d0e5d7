#include "app/grid/show_recipe.h"

#include <algorithm>

#include "app/grid/magnification.h"
#include "app/grid/texts.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"

namespace seedscape {

void ShowRecipe(const Recipe& recipe, double fak, ImageState& state, RandomGenerator& random,
                Canvas& canvas) {
    canvas.Clear();
    const bool varied = std::any_of(recipe.overrides.begin(), recipe.overrides.end(),
                                    [](const auto& value) { return value.has_value(); });
    StartRecipeMother(recipe, fak, state, random);
    // The pictures are graded, the indicator and the credit line are not.
    GradedSurface graded(canvas, recipe.grading);
    DrawRecipe(recipe, state, [&](ImageState& picture, const RecipePicture& which) {
        RenderImageFast(picture, graded);
        // The indicator shows f alone, which the child's view leaves as it is.
        ShowMagnification(picture, canvas);
        if (which.number == 0) PrintCredit(picture, canvas, varied);
    });
}

}  // namespace seedscape
