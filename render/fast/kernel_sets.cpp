#include "render/fast/kernel_sets.h"

#include <array>

namespace seedscape {

#ifdef SEEDSCAPE_X86_KERNELS
// Defined by the kernel files, each built for its own instruction set.
extern const PixelKernelSet kSse2KernelSet;
extern const PixelKernelSet kAvxKernelSet;
#endif

namespace {

#ifdef SEEDSCAPE_X86_KERNELS
const std::array<const PixelKernelSet*, 2> kKernelSets = {&kSse2KernelSet, &kAvxKernelSet};
#else
const std::array<const PixelKernelSet*, 0> kKernelSets = {};
#endif

}  // namespace

std::span<const PixelKernelSet* const> PixelKernelSets() {
    return kKernelSets;
}

const PixelKernelSet* BestKernelSet() {
    static const PixelKernelSet* const best = [] {
        const PixelKernelSet* chosen = nullptr;
        for (const PixelKernelSet* set : kKernelSets) {
            if (set->supported()) chosen = set;
        }
        return chosen;
    }();
    return best;
}

int WidestLanes() {
    int widest = 1;
    for (const PixelKernelSet* set : kKernelSets) {
        const int lanes = set->run_paired != nullptr ? 2 * set->lanes : set->lanes;
        if (lanes > widest) widest = lanes;
    }
    return widest;
}

const PixelKernelSet* FindKernelSet(std::string_view name) {
    for (const PixelKernelSet* set : kKernelSets) {
        if (set->name == name) return set;
    }
    return nullptr;
}

}  // namespace seedscape
