#pragma once

#include "render/drawing_surface.h"
#include "state/image_state.h"

namespace seedscape {

// How the pixel kernel runs: two lanes of SSE2, four lanes of AVX, or eight
// lanes as two AVX registers whose independent halves overlap in the processor.
enum class InstructionSet { kBest, kSse2, kAvx, kAvxPaired };

struct FastRenderOptions {
    InstructionSet instructions = InstructionSet::kBest;
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

// Whether this processor can run the AVX kernel.
bool HasAvx();

}  // namespace seedscape
