#include "render/fast/kernel_sets.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace seedscape {

#ifdef SEEDSCAPE_X86_KERNELS
// Defined by the kernel files, each built for its own instruction set.
extern const PixelKernelSet kSse2KernelSet;
extern const PixelKernelSet kAvxKernelSet;
extern const PixelKernelSet kAvx512KernelSet;
#endif

namespace {

#ifdef SEEDSCAPE_X86_KERNELS
const std::array<const PixelKernelSet*, 3> kKernelSets = {&kSse2KernelSet, &kAvxKernelSet,
                                                          &kAvx512KernelSet};
#else
const std::array<const PixelKernelSet*, 0> kKernelSets = {};
#endif

std::string SupportedNames(std::span<const PixelKernelSet* const> sets) {
    std::string names;
    for (const PixelKernelSet* set : sets) {
        if (!set->supported()) continue;
        if (!names.empty()) names += ", ";
        names += set->name;
    }
    return names.empty() ? "none on this processor" : names;
}

const KernelChoice& EnvironmentChoice() {
    static const KernelChoice choice = ChooseKernelSet(std::getenv(kKernelVariable), kKernelSets);
    return choice;
}

}  // namespace

std::span<const PixelKernelSet* const> PixelKernelSets() {
    return kKernelSets;
}

KernelChoice ChooseKernelSet(const char* forced, std::span<const PixelKernelSet* const> sets) {
    KernelChoice choice;
    if (forced == nullptr || *forced == '\0') {
        for (const PixelKernelSet* set : sets) {
            if (set->supported()) choice.set = set;
        }
        return choice;
    }
    const std::string_view name = forced;
    const std::string shown = std::string(kKernelVariable) + "=" + forced;
    for (const PixelKernelSet* set : sets) {
        if (set->name != name) continue;
        if (set->supported()) {
            choice.set = set;
        } else {
            choice.problem =
                shown + ": this processor cannot run it; choose one of " + SupportedNames(sets);
        }
        return choice;
    }
    choice.problem = shown + ": no such kernel set; choose one of " + SupportedNames(sets);
    return choice;
}

const std::string& KernelVariableProblem() {
    return EnvironmentChoice().problem;
}

void ExitOnKernelVariableProblem() {
    const std::string& problem = KernelVariableProblem();
    if (problem.empty()) return;
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::fflush(stderr);
    // Other threads may be drawing: leave without running destructors under them.
    std::_Exit(2);
}

const PixelKernelSet* BestKernelSet() {
    ExitOnKernelVariableProblem();
    return EnvironmentChoice().set;
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
