// A generation of the variations window: breeding the eight variants of a
// parent and drawing them through the function the window's drawing thread
// uses, for image mothers of a few seeds and for children, whose variants
// replay every press. Timed by the wall clock, since the drawing uses every
// core; the CPU column is the whole process's, every thread's time added up,
// which tells what a generation costs when other work shares the machine.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/shared/thumbnail.h"
#include "bench/benchmark_seeds.h"
#include "breed/variations.h"

namespace seedscape {
namespace {

// Presses on the mother and on the next places, each at the first rung of
// magnification a person reaches with "+".
const std::vector<RecipePress> kPresses = {{150, 100, 5}, {60, 150, 6}, {200, 50, 7}};

void Generation(benchmark::State& bench, const Recipe& parent) {
    BreedSettings settings;
    for (auto _ : bench) {
        const auto variants = BreedVariants(parent, settings);
        for (const Recipe& variant : *variants) {
            QImage picture = RenderThumbnail(variant);
            benchmark::DoNotOptimize(picture);
        }
        // Each round breeds the next generation, as clicks do.
        ++settings.generation;
    }
}

void RegisterCases() {
    // Every fourth of the fixed seeds: schemes and factors of all kinds.
    for (std::size_t k = 0; k < kBenchmarkSeeds.size(); k += 4) {
        Recipe mother;
        mother.seed = kBenchmarkSeeds[k];
        benchmark::RegisterBenchmark(
            ("BreedGeneration/mother/seed:" + std::to_string(mother.seed)).c_str(),
            [mother](benchmark::State& bench) { Generation(bench, mother); })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    for (const int seed : {12345, 500000}) {
        for (std::size_t presses = 1; presses <= kPresses.size(); presses += 2) {
            Recipe child;
            child.seed = seed;
            child.presses.assign(kPresses.begin(), kPresses.begin() + presses);
            benchmark::RegisterBenchmark(
                ("BreedGeneration/child/seed:" + std::to_string(seed) +
                 "/presses:" + std::to_string(presses))
                    .c_str(),
                [child](benchmark::State& bench) { Generation(bench, child); })
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
        }
    }
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    seedscape::RegisterCases();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
