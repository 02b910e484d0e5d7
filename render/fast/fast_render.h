#pragma once

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape {

struct PixelKernelSet;

// How the kernel's lanes are laid out: as the factors and the grid suggest,
// one register at a time, two registers down one column, or two registers
// over a tile of columns and rows where the set has one and the grid is
// short enough for chunks of whole tiles (else down one column).
enum class LanePairing { kChosen, kSingle, kPaired, kTiled };

struct FastRenderOptions {
    const PixelKernelSet* kernels = nullptr;  // nullptr: the best this processor runs
    LanePairing pairing = LanePairing::kChosen;
    int threads = 0;  // 0: every thread of the render pool
};

// The same render pass as RenderImage, pixel for pixel and bit for bit, and
// leaving the record as RenderImage leaves it, computed several pixels at a
// time on every core. Pixels are computed out of order and the values that
// carry from pixel to pixel (the factor, the channels a failing colour
// statement does not reach) are then resolved in order.
void RenderImageFast(ImageState& state, DrawingSurface& surface);
void RenderImageFastWith(ImageState& state, DrawingSurface& surface,
                         const FastRenderOptions& options);

}  // namespace seedscape
