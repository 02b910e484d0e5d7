// Built with -mavx; called only after the processor was found to have AVX.
#include "render/lanes_avx.h"
#include "render/lanes_pair.h"
#include "render/pixel_kernel_impl.h"

namespace seedscape {

void RunPixelKernelAvx(const KernelInput& input, const KernelOutput& output, int column_begin,
                       int column_end) {
    PixelKernel<AvxOps>(input, output).Run(column_begin, column_end);
}

void RunPixelKernelAvxPaired(const KernelInput& input, const KernelOutput& output, int column_begin,
                             int column_end) {
    PixelKernel<PairOps<AvxOps>>(input, output).Run(column_begin, column_end);
}

void FillRowFactorTableAvx(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<AvxOps>::FillRowTable(selector, y, padded_rows, table);
}

}  // namespace seedscape
