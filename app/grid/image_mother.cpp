#include "app/grid/image_mother.h"

#include "app/grid/magnification.h"
#include "app/grid/texts.h"
#include "render/fast/fast_render.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

void NewImageMother(ImageState& state, RandomGenerator& random, Canvas& canvas) {
    NewImageMotherParameters(state, random);
    RenderImageFast(state, canvas);
    ShowMagnification(state, canvas);
    PrintCredit(state, canvas);
}

}  // namespace seedscape
