#include "app/grid/image_child.h"

#include "app/grid/magnification.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"
#include "render/image_child.h"

namespace seedscape {

bool ShowImageChild(ImageState& state, Canvas& canvas, float x, float y, const Grading& grading) {
    GradedSurface graded(canvas, grading);
    if (!RenderImageChild(state, graded, x, y, RenderImageFast)) return false;
    ShowMagnification(state, canvas);
    return true;
}

}  // namespace seedscape
