// Built with -mavx512f; runs only after the processor was found to have
// AVX-512F. Every entry ends with vzeroupper, as the AVX kernel's do: code
// built for SSE that runs while the upper halves of the vector registers are
// dirty runs at half speed on some processors.
#include "render/fast/kernel_sets.h"
#include "render/fast/lanes_avx512.h"
#include "render/fast/lanes_pair.h"
#include "render/fast/pixel_kernel_impl.h"

namespace seedscape {

namespace {

bool Supported() {
    return __builtin_cpu_supports("avx512f");
}

void Run(const KernelInput& input, const KernelOutput& output, int column_begin, int column_end) {
    PixelKernel<Avx512Ops>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void RunPaired(const KernelInput& input, const KernelOutput& output, int column_begin,
               int column_end) {
    PixelKernel<PairOps<Avx512Ops>>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void RunTiled(const KernelInput& input, const KernelOutput& output, int column_begin,
              int column_end) {
    PixelKernel<PairOps<Avx512Ops>, Avx512Tile>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void FillRowTable(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<Avx512Ops>::FillRowTable(selector, y, padded_rows, table);
    _mm256_zeroupper();
}

}  // namespace

extern const PixelKernelSet kAvx512KernelSet;
const PixelKernelSet kAvx512KernelSet = {"avx512", Supported, Avx512Ops::kWidth, Run, RunPaired,
                                         RunTiled, 4,         FillRowTable,      true};

}  // namespace seedscape
