#pragma once

#include <vector>

#include "render/drawing_surface.h"
#include "render/fast/pixel_kernel.h"
#include "state/image_state.h"

namespace seedscape {

// What the kernels left for a whole image, with the plane points they used.
struct KernelResults {
    const KernelOutput& output;
    const double* x;  // plane x of every column
    const double* y;  // plane y of every row
    int columns;
    int rows;
};

// What the pixels before the image's last one left in the record.
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

// Leaves the record as the straightforward pass leaves it: the last pixel
// computed from the channels and factor before it, and the counters one past
// the last column and row. `palette` holds the channels the palette step set.
void LeaveRecordAsStraightforward(ImageState& state, const KernelResults& results,
                                  const double palette[3], const BeforeLastPixel& before_last);

}  // namespace seedscape
