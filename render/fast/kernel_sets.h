#pragma once

#include <span>
#include <string_view>

#include "render/fast/pixel_kernel.h"

namespace seedscape {

// One instruction set's build of the pixel kernel. A new instruction set is
// one new kernel file that defines its entry, and one row in kernel_sets.cpp.
struct PixelKernelSet {
    std::string_view name;  // as the benchmark and the tests name it
    bool (*supported)();    // whether this processor can run it
    int lanes;              // pixels in one register
    KernelRun run;          // one register of lanes
    // Two registers side by side, whose independent halves the processor
    // overlaps; nullptr where the set has none.
    KernelRun run_paired;
    RowTableFill fill_row_table;
};

// Every set built into the program, narrowest first.
std::span<const PixelKernelSet* const> PixelKernelSets();

// The widest set this processor can run; nullptr where none was built (the
// kernels are written for x86 processors).
const PixelKernelSet* BestKernelSet();

// The most pixels any set's kernel takes at once. Rows are padded to a whole
// number of them, so that every kernel loads whole registers.
int WidestLanes();

// The set called `name`, or nullptr when none is.
const PixelKernelSet* FindKernelSet(std::string_view name);

}  // namespace seedscape
