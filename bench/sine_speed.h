#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "maths/maths.h"
#include "render/fast/kernel_sets.h"

namespace seedscape {

// The sine alone, as each pass calls it: sin(n + y) for n = 1..99 over rows
// of plane y, once a value through the scalar function and once a register
// at a time through the fast kernels' own table fill. Every value is
// independent of the others, so both run as fast as their sine allows: what
// the registers gain here is the most the fast pass can gain on one thread
// where the sine is all the work.
struct SineRows {
    static constexpr int kRows = 240;  // a mother's rows, padded as the fast pass pads them
    std::vector<double> y = std::vector<double>(kRows);
    std::vector<double> table = std::vector<double>(100 * kRows);

    SineRows() {
        for (int row = 0; row < kRows; ++row) y[row] = -1.2 + 2.4 * row / kRows;
    }
    static double Sines() { return 99.0 * kRows; }
};

inline void SineStraightforward(benchmark::State& bench) {
    SineRows rows;
    for (auto _ : bench) {
        for (int n = 1; n < 100; ++n) {
            for (int row = 0; row < SineRows::kRows; ++row)
                rows.table[n * SineRows::kRows + row] = maths::Sin(n + rows.y[row]);
        }
        benchmark::DoNotOptimize(rows.table.data());
    }
    bench.counters["sines/s"] =
        benchmark::Counter(SineRows::Sines(), benchmark::Counter::kIsIterationInvariantRate);
}

// Selector 8 is sin(n + ci), and ci is the row's plane y.
inline void SineInRegisters(benchmark::State& bench) {
    const PixelKernelSet* const kernels = BestKernelSet();
    if (kernels == nullptr) {
        bench.SkipWithError("no fast kernel set is built for this processor");
        return;
    }
    SineRows rows;
    for (auto _ : bench) {
        kernels->fill_row_table(8, rows.y.data(), SineRows::kRows, rows.table.data());
        benchmark::DoNotOptimize(rows.table.data());
    }
    bench.counters["sines/s"] =
        benchmark::Counter(SineRows::Sines(), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace seedscape
