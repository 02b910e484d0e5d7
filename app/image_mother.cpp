#include "app/image_mother.h"

#include "app/magnification.h"
#include "app/texts.h"
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
