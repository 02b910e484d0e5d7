#pragma once

#include "render/drawing_surface.h"
#include "render/fast/fast_render_options.h"
#include "state/image_state.h"

namespace seedscape {

// Columns of sample points for the fast pass: a whole image, or a band of an
// export's grid. Column c lies at plane x[c] with the column counter i[c],
// row r at plane y[r] with the row counter j[r]; sample (c, r) is plotted at
// (left + c, top + r).
struct GridColumns {
    const double* x = nullptr;
    const double* i = nullptr;
    int columns = 0;
    const double* y = nullptr;
    const double* j = nullptr;
    int rows = 0;
    int left = 0;
    int top = 0;
    bool palette = false;  // whether the palette step runs before the first pixel
};

// Renders the columns as the straightforward pass renders them, pixel for
// pixel and bit for bit, continuing from the factor and channels in the
// record, and leaves the record as that pass leaves it after the last pixel:
// its counters, plane point, iteration, factor and channels. The pixels are
// computed out of order on the render threads and the values that carry from
// pixel to pixel are then resolved in order.
//
// Returns false, having changed neither record nor surface, where the
// kernels cannot take the columns: no kernel set is built for this
// processor, or a coordinate lies too far out. The caller then renders them
// the straightforward way.
bool RenderColumnsFast(ImageState& state, const GridColumns& columns, DrawingSurface& surface,
                       const FastRenderOptions& options);

}  // namespace seedscape
