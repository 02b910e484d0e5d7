#pragma once

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape {

struct PixelKernelSet;

// How the kernel's lanes are laid out: as the factors suggest, one register
// at a time, or two registers side by side.
enum class LanePairing { kChosen, kSingle, kPaired };

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
