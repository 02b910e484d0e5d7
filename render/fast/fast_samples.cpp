#include "render/fast/fast_samples.h"

#include "render/fast/fast_columns.h"

namespace seedscape {

void RenderSampleColumnsFast(ImageState& state, const SampleGrid& grid, int first, int end,
                             DrawingSurface& surface, const FastRenderOptions& options) {
    if (first >= 0 && first < end && end <= grid.columns()) {
        GridColumns band;
        band.x = grid.x.data() + first;
        band.i = grid.i.data() + first;
        band.columns = end - first;
        band.y = grid.y.data();
        band.j = grid.j.data();
        band.rows = grid.rows();
        band.left = first;
        band.top = 0;
        band.palette = first == 0;
        if (RenderColumnsFast(state, band, surface, options)) return;
    }
    // Empty bands, too, are the straightforward pass's: the palette step alone.
    RenderSampleColumns(state, grid, first, end, surface);
}

}  // namespace seedscape
