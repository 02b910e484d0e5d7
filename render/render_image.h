#pragma once

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape {

// One render pass: the palette step, then every pixel of the (sir+1) x (vis+1)
// image, columns left to right and rows top to bottom, plotted at the tile
// offset (zamikx, zamiky). The caller redraws the magnification indicator.
void RenderImage(ImageState& state, DrawingSurface& surface);

// The per-pixel pipeline for column i, row j of the current view: seed, the
// distances, the iteration and the colour. Leaves the raw channels in the
// record, not yet clamped.
void ComputePixel(ImageState& state);

// Limits the channels to 0..255 in the record and returns the pixel's colour,
// each channel rounded half to even.
ColourValue ClampAndRound(ImageState& state);

}  // namespace seedscape
