#include "render/sample_grid.h"

#include "colour/palette.h"
#include "render/render_image.h"

namespace seedscape {

namespace {

// The image position of sample a of output pixel u.
double ImagePosition(int u, int a, int scale, int supersample) {
    const double offset = (a + 0.5) / supersample - 0.5;
    return (u + offset) / scale;
}

}  // namespace

SampleGrid ImageGrid(const ImageState& state) {
    return ScaledGrid(state, 1, 1);
}

SampleGrid ScaledGrid(const ImageState& state, int scale, int supersample) {
    SampleGrid grid;
    const int columns = (static_cast<int>(state.sir) + 1) * scale * supersample;
    const int rows = (static_cast<int>(state.vis) + 1) * scale * supersample;
    grid.x.reserve(columns);
    grid.i.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        const double i = ImagePosition(c / supersample, c % supersample, scale, supersample);
        grid.i.push_back(i);
        grid.x.push_back((i + state.di) / state.zoomx1 - state.zoomx2);
    }
    grid.y.reserve(rows);
    grid.j.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        const double j = ImagePosition(r / supersample, r % supersample, scale, supersample);
        grid.j.push_back(j);
        // The imaginary axis points up: a larger row gives a smaller y.
        grid.y.push_back(state.zoomy2 - (j + state.dj) / state.zoomy1);
    }
    return grid;
}

void RenderSampleColumns(ImageState& state, const SampleGrid& grid, int first, int end,
                         DrawingSurface& surface) {
    if (first == 0) BuildPalette(state);
    for (int c = first; c < end; ++c) {
        state.i = grid.i[c];
        state.x = grid.x[c];
        for (int r = 0; r < grid.rows(); ++r) {
            state.j = grid.j[r];
            state.y = grid.y[r];
            ComputePixel(state);
            surface.SetPixel(c, r, ClampAndRound(state));
        }
    }
}

}  // namespace seedscape
