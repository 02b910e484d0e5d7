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
// Starts from the palette and factor in the record. The walk goes a few
// columns at a time, so that it can follow the kernels while they still
// render the columns after.
class CarriedValuesWalk {
  public:
    CarriedValuesWalk(ImageState& state, const KernelResults& results, DrawingSurface& surface,
                      std::vector<ColourValue>& column);

    // Resolves and draws the columns up to `end`; the kernels must have left
    // every column before it.
    void ResolveUpTo(int end);
    // Once every column is resolved: what the pixels before the last one left.
    BeforeLastPixel Finish() const;

  private:
    // Pixel by pixel, where a pixel needs the carried factor or the column
    // holds the last pixel.
    void ResolveColumn(int i, long last);

    ImageState& state_;
    const KernelResults& results_;
    DrawingSurface& surface_;
    std::vector<ColourValue>& column_;
    int next_column_ = 0;
    ColourValue current_;  // the last colour plotted, the palette's at the start
    // The factor the previous pixel left, where it is known: at the start,
    // and after a pixel computed here. Elsewhere it is computed only when a
    // pixel needs it.
    double fak_;
    bool fak_known_ = true;
    // The last channel values that pixels computed here assigned, by pixel index.
    long recomputed_index_[3] = {-1, -1, -1};
    double recomputed_value_[3] = {0, 0, 0};
    double last_fak_ = 0;  // the factor the last pixel starts from
};

// Leaves the record as the straightforward pass leaves it after the last
// pixel: that pixel computed from the channels and factor before it, with
// its counters and plane point. `palette` holds the channels the record had
// before the first pixel.
void LeaveRecordAsStraightforward(ImageState& state, const KernelResults& results,
                                  const double palette[3], const BeforeLastPixel& before_last);

}  // namespace seedscape
