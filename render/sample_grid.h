#pragma once

#include <vector>

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape {

// The points a render pass samples, column by column and within a column row
// by row: column c lies at plane x[c] and shows the colour formulas the
// column counter i[c]; row r lies at plane y[r] with the row counter j[r].
struct SampleGrid {
    std::vector<double> x, i;
    std::vector<double> y, j;

    int columns() const { return static_cast<int>(x.size()); }
    int rows() const { return static_cast<int>(y.size()); }
};

// The grid the render pass samples for the record's view: column i at
// x = (i + di) / zoomx1 - zoomx2, row j at y = zoomy2 - (j + dj) / zoomy1.
SampleGrid ImageGrid(const ImageState& state);

// The same view sampled `scale` times as finely across and down, with
// `supersample` x `supersample` samples for every output pixel. Sample a of
// output column u lies at the image position u' = (u + (a + 1/2) / S - 1/2) / K:
// the samples are spread evenly over the output pixel and centred on its own
// point, and the colour formulas read the column and row in image units, so
// the texture keeps its look. Every K-th output column, from 0, lies exactly
// on an image column when K is a power of two (and at K = 1, S = 1 the grid
// is ImageGrid's).
SampleGrid ScaledGrid(const ImageState& state, int scale, int supersample);

// Renders columns [first, end) of the grid the straightforward way, plotting
// sample (c, r) at (c, r) of `surface`. The palette step runs when `first` is
// 0; later columns continue from what the record carries, so rendering a
// grid in bands of columns gives the pixels of one pass.
void RenderSampleColumns(ImageState& state, const SampleGrid& grid, int first, int end,
                         DrawingSurface& surface);

}  // namespace seedscape
