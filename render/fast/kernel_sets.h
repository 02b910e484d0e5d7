#pragma once

#include <span>
#include <string>
#include <string_view>

#include "render/fast/pixel_kernel.h"

namespace seedscape {

// One instruction set's build of the pixel kernel. A new instruction set is
// one new kernel file that defines its entry, and one row in kernel_sets.cpp.
struct PixelKernelSet {
    std::string_view name;  // as the benchmark, the tests and SEEDSCAPE_KERNEL name it
    bool (*supported)();    // whether this processor can run it
    int lanes;              // pixels in one register
    KernelRun run;          // one register of lanes
    // Two registers side by side, whose independent halves the processor
    // overlaps; nullptr where the set has none.
    KernelRun run_paired;
    // Two registers over a tile of a few columns by a few rows, whose lanes
    // idle less than a run down one column; nullptr where the set has none.
    // It takes chunks of whole tiles, `tile_columns` wide.
    KernelRun run_tiled;
    int tile_columns;
    RowTableFill fill_row_table;
    // Whether the paired run pays even where a factor is computed at every
    // step: it does where one register's sine leaves the processor waiting.
    bool pair_with_factors_every_step;
};

// Every set built into the program, narrowest first.
std::span<const PixelKernelSet* const> PixelKernelSets();

// The set the fast pass draws with: the one SEEDSCAPE_KERNEL names, or else
// the widest this processor can run; nullptr where none was built (the
// kernels are written for x86 processors). A variable that names no set, or
// one this processor cannot run, ends the program with KernelVariableProblem()
// on standard error and exit status 2: drawing with another set would
// mislead the test or benchmark that forced it.
const PixelKernelSet* BestKernelSet();

// The most pixels any set's kernel takes at once. Rows are padded to a whole
// number of them, so that every kernel loads whole registers.
int WidestLanes();

// The set called `name`, or nullptr when none is.
const PixelKernelSet* FindKernelSet(std::string_view name);

// The environment variable that forces a kernel set, for tests and benchmarks.
inline constexpr const char* kKernelVariable = "SEEDSCAPE_KERNEL";

struct KernelChoice {
    const PixelKernelSet* set = nullptr;  // nullptr where none is built or the choice failed
    std::string problem;                  // one line, empty when the choice is sound
};

// The set `forced` names among `sets` (nullptr or empty: the widest supported
// one). A name that is no set's, or a set the processor lacks, is a problem
// that names the variable, the value and the sets this processor can run.
KernelChoice ChooseKernelSet(const char* forced, std::span<const PixelKernelSet* const> sets);

// SEEDSCAPE_KERNEL's problem, read once from the environment: empty when the
// variable is unset or names a set this processor runs. Programs check it at
// start to refuse a bad value before doing anything else.
const std::string& KernelVariableProblem();

// Prints KernelVariableProblem() to standard error and ends the program with
// status 2 if there is one; returns otherwise.
void ExitOnKernelVariableProblem();

}  // namespace seedscape
