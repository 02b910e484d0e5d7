// Built with -mavx; runs only after the processor was found to have AVX.
// Every entry ends with vzeroupper: code built for SSE that runs while the
// upper halves of the AVX registers are dirty runs at half speed.
#include "render/fast/kernel_sets.h"
#include "render/fast/lanes_avx.h"
#include "render/fast/lanes_pair.h"
#include "render/fast/pixel_kernel_impl.h"

namespace seedscape {

namespace {

bool Supported() {
    return __builtin_cpu_supports("avx");
}

void Run(const KernelInput& input, const KernelOutput& output, int column_begin, int column_end) {
    PixelKernel<AvxOps>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void RunPaired(const KernelInput& input, const KernelOutput& output, int column_begin,
               int column_end) {
    PixelKernel<PairOps<AvxOps>>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void FillRowTable(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<AvxOps>::FillRowTable(selector, y, padded_rows, table);
    _mm256_zeroupper();
}

}  // namespace

extern const PixelKernelSet kAvxKernelSet;
const PixelKernelSet kAvxKernelSet = {"avx",   Supported, AvxOps::kWidth, Run,  RunPaired,
                                      nullptr, 0,         FillRowTable,   false};

}  // namespace seedscape
