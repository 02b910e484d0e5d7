#pragma once

#include "render/drawing_surface.h"
#include "render/fast/fast_render_options.h"
#include "state/image_state.h"

namespace seedscape {

// The same render pass as RenderImage, pixel for pixel and bit for bit, and
// leaving the record as RenderImage leaves it, computed several pixels at a
// time on every core. Pixels are computed out of order and the values that
// carry from pixel to pixel (the factor, the channels a failing colour
// statement does not reach) are then resolved in order.
void RenderImageFast(ImageState& state, DrawingSurface& surface);
void RenderImageFastWith(ImageState& state, DrawingSurface& surface,
                         const FastRenderOptions& options);

}  // namespace seedscape
