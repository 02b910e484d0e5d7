#pragma once

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

}  // namespace seedscape
