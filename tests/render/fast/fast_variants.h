#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "render/fast/fast_render.h"
#include "render/fast/kernel_sets.h"

namespace seedscape {

struct Variant {
    std::string name;
    FastRenderOptions options;
};

// Every way the fast path can run on this machine: each kernel set the
// processor has, on one thread and on all, with and without paired or tiled
// lanes.
// The sets it lacks are named by the skipped EveryKernelSet tests. Where
// SEEDSCAPE_KERNEL forces a set, as if the processor had no wider one, only
// that set runs.
inline std::vector<Variant> Variants() {
    const char* forced = std::getenv(kKernelVariable);
    std::vector<Variant> variants = {{"best kernels, all threads", {}}};
    for (const PixelKernelSet* set : PixelKernelSets()) {
        if (!set->supported()) continue;
        if (forced != nullptr && *forced != '\0' && set->name != forced) continue;
        const std::string name(set->name);
        variants.push_back({name + ", one thread", {set, LanePairing::kSingle, 1}});
        variants.push_back({name + ", all threads", {set, LanePairing::kSingle, 0}});
        if (set->run_paired != nullptr) {
            variants.push_back({name + " paired, all threads", {set, LanePairing::kPaired, 0}});
        }
        if (set->run_tiled != nullptr) {
            variants.push_back({name + " tiled, one thread", {set, LanePairing::kTiled, 1}});
            variants.push_back({name + " tiled, all threads", {set, LanePairing::kTiled, 0}});
        }
    }
    return variants;
}

}  // namespace seedscape
