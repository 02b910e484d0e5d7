#include "app/grid/show_recipe.h"

#include <algorithm>

#include "app/grid/magnification.h"
#include "app/grid/texts.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {

void ShowRecipe(const Recipe& recipe, double fak, ImageState& state, RandomGenerator& random,
                Canvas& canvas) {
    canvas.Clear();
    const bool varied = std::any_of(recipe.overrides.begin(), recipe.overrides.end(),
                                    [](const auto& value) { return value.has_value(); });
    StartRecipeMother(recipe, fak, state, random);
    DrawRecipe(recipe, state, [&](ImageState& picture, const RecipePicture& which) {
        RenderImageFast(picture, canvas);
        // The indicator shows f alone, which the child's view leaves as it is.
        ShowMagnification(picture, canvas);
        if (which.number == 0) PrintCredit(picture, canvas, varied);
    });
}

}  // namespace seedscape
