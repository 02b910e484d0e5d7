// Built with -mavx; called only after the processor was found to have AVX.
// Every entry ends with vzeroupper: code built for SSE that runs while the
// upper halves of the AVX registers are dirty runs at half speed.
#include "render/lanes_avx.h"
#include "render/lanes_pair.h"
#include "render/pixel_kernel_impl.h"

namespace seedscape {

void RunPixelKernelAvx(const KernelInput& input, const KernelOutput& output, int column_begin,
                       int column_end) {
    PixelKernel<AvxOps>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void RunPixelKernelAvxPaired(const KernelInput& input, const KernelOutput& output, int column_begin,
                             int column_end) {
    PixelKernel<PairOps<AvxOps>>(input, output).Run(column_begin, column_end);
    _mm256_zeroupper();
}

void FillRowFactorTableAvx(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<AvxOps>::FillRowTable(selector, y, padded_rows, table);
    _mm256_zeroupper();
}

}  // namespace seedscape
