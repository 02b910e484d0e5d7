#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/fast/kernel_sets.h"

namespace seedscape {

// Stops on a bad SEEDSCAPE_KERNEL, then says which kernel set the fast pass
// runs, so that every benchmark's numbers name the instructions they timed.
inline void PrintKernelSet() {
    ExitOnKernelVariableProblem();
    const PixelKernelSet* const kernels = BestKernelSet();
    const char* const forced = std::getenv(kKernelVariable);
    std::printf(
        "fast pass kernel set: %s%s\n",
        kernels != nullptr ? std::string(kernels->name).c_str() : "none (the straightforward pass)",
        forced != nullptr && *forced != '\0' ? ", forced by SEEDSCAPE_KERNEL" : "");
    std::fflush(stdout);
}

}  // namespace seedscape
