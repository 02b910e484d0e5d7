#include "app/grid/show_recipe.h"

#include "app/grid/image_child.h"
#include "app/grid/magnification.h"
#include "app/grid/texts.h"
#include "recipe/settable_fields.h"
#include "render/fast/fast_render.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

void ShowRecipe(const Recipe& recipe, double fak, ImageState& state, RandomGenerator& random,
                Canvas& canvas) {
    canvas.Clear();
    state.fak = fak;
    state.zamikx = 0;
    state.zamiky = 0;
    state.seed = recipe.seed;
    DrawParametersFromSeed(state, random);
    const std::span<const SettableField> fields = SettableFields();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (recipe.overrides[k]) fields[k].store(state, *recipe.overrides[k]);
    }
    RenderImageFast(state, canvas);
    ShowMagnification(state, canvas);
    PrintCredit(state, canvas);
    for (const RecipePress& press : recipe.presses) {
        state.f = press.f;
        ShowImageChild(state, canvas, press.x, press.y);
    }
}

}  // namespace seedscape
