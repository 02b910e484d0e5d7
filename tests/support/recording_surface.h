#pragma once

#include <vector>

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape::testing {

// One SetPixel call together with what the record said about that pixel at
// the moment it was plotted.
struct Plotted {
    int x, y;
    ColourValue colour;
    double i, j;    // the pass's counters
    double px, py;  // the pixel's plane point
    double di, dj;  // the view in force
    double zoomx1, zoomx2, zoomy1, zoomy2;
};

// A surface that keeps every plotted pixel in order, with a look at the record.
// Only the straightforward pass keeps the record's pixel fields current while
// it plots; with the fast pass only the positions and colours mean anything.
class RecordingSurface : public DrawingSurface {
  public:
    explicit RecordingSurface(const ImageState& state) : state_(state) {}

    void SetPixel(int x, int y, ColourValue colour) override {
        plotted.push_back({x, y, colour, state_.i, state_.j, state_.x, state_.y, state_.di,
                           state_.dj, state_.zoomx1, state_.zoomx2, state_.zoomy1, state_.zoomy2});
    }

    std::vector<Plotted> plotted;

  private:
    const ImageState& state_;
};

}  // namespace seedscape::testing
