#pragma once

#include "render/drawing_surface.h"
#include "render/fast/fast_render.h"
#include "render/sample_grid.h"
#include "state/image_state.h"

namespace seedscape {

// RenderSampleColumns through the fast pass: columns [first, end) of the
// grid, sample (c, r) plotted at (c, r), the palette step only when `first`
// is 0, the same pixels bit for bit, and the record left as that pass
// leaves it, so that the next band of columns continues from it. The working
// buffers grow with the band, not with the grid. Falls back to the
// straightforward pass where the kernels cannot take the band.
void RenderSampleColumnsFast(ImageState& state, const SampleGrid& grid, int first, int end,
                             DrawingSurface& surface, const FastRenderOptions& options = {});

}  // namespace seedscape
