#pragma once

#include <vector>

#include "render/drawing_surface.h"
#include "render/fast/pixel_kernel.h"
#include "state/image_state.h"

namespace seedscape {

// What the kernels left for the columns they rendered, with the points they
// used and where the columns are plotted.
struct KernelResults {
    const KernelOutput& output;
    const double* x;              // plane x of every column
    const double* column_number;  // the column counter i of every column
    const double* y;              // plane y of every row
    const double* row_number;     // the row counter j of every row
    int columns;
    int rows;
    int left;  // the surface column of the first column
    int top;   // the surface row of the first row
};

// What the pixels before the last one left in the record.
struct BeforeLastPixel {
    double fak = 0;  // the factor the last pixel starts from
    // The last value assigned to each channel, limited to 0..255, where one was.
    bool assigned[3] = {false, false, false};
    double channel[3] = {0, 0, 0};
};

// Walks the pixels in the straightforward order and resolves what carries
// from one to the next: the factor, into pixels whose first factor failed
// (they are computed again, here), and the channels that a pixel's colour
// statements did not reach. Draws each column on `surface` as it is done.
// Starts from the palette and factor in the record.
BeforeLastPixel ResolveCarriedValues(ImageState& state, const KernelResults& results,
                                     DrawingSurface& surface, std::vector<ColourValue>& column);

// Leaves the record as the straightforward pass leaves it after the last
// pixel: that pixel computed from the channels and factor before it, with
// its counters and plane point. `palette` holds the channels the record had
// before the first pixel.
void LeaveRecordAsStraightforward(ImageState& state, const KernelResults& results,
                                  const double palette[3], const BeforeLastPixel& before_last);

}  // namespace seedscape
