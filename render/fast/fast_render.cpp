#include "render/fast/fast_render.h"

#include <cmath>

#include "render/fast/fast_columns.h"
#include "render/render_image.h"
#include "render/sample_grid.h"

namespace seedscape {

namespace {

// Larger images, and sides that are not whole, take the straightforward pass.
constexpr int kLargestSide = 8192;

bool IsWholeSide(double last_index) {
    return last_index >= 0 && last_index < kLargestSide && std::floor(last_index) == last_index;
}

}  // namespace

void RenderImageFast(ImageState& state, DrawingSurface& surface) {
    RenderImageFastWith(state, surface, {});
}

void RenderImageFastWith(ImageState& state, DrawingSurface& surface,
                         const FastRenderOptions& options) {
    if (!IsWholeSide(state.sir) || !IsWholeSide(state.vis)) {
        RenderImage(state, surface);
        return;
    }
    // The image is the whole grid of its view, plotted at the tile offset.
    const SampleGrid grid = ImageGrid(state);
    GridColumns columns;
    columns.x = grid.x.data();
    columns.i = grid.i.data();
    columns.columns = grid.columns();
    columns.y = grid.y.data();
    columns.j = grid.j.data();
    columns.rows = grid.rows();
    columns.left = static_cast<int>(state.zamikx);
    columns.top = static_cast<int>(state.zamiky);
    columns.palette = true;
    if (!RenderColumnsFast(state, columns, surface, options)) {
        RenderImage(state, surface);
        return;
    }
    // The straightforward pass's loops leave the counters one past the last
    // column and row.
    state.i = columns.columns;
    state.j = columns.rows;
}

}  // namespace seedscape
