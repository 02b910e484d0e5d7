#include "app/image_mother.h"

#include "app/magnification.h"
#include "app/texts.h"
#include "render/image_child.h"
#include "render/fast_render.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

void NewImageMother(ImageState& state, RandomGenerator& random, Canvas& canvas) {
    NewImageMotherParameters(state, random);
    RenderImageFast(state, canvas);
    ShowMagnification(state, canvas);
    PrintCredit(state, canvas);
}

bool ShowImageChild(ImageState& state, Canvas& canvas, float x, float y) {
    if (!RenderImageChild(state, canvas, x, y)) return false;
    ShowMagnification(state, canvas);
    return true;
}

}  // namespace seedscape
