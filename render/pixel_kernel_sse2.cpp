#include "render/lanes_sse2.h"
#include "render/pixel_kernel_impl.h"

namespace seedscape {

void RunPixelKernelSse2(const KernelInput& input, const KernelOutput& output, int column_begin,
                        int column_end) {
    PixelKernel<Sse2Ops>(input, output).Run(column_begin, column_end);
}

void FillRowFactorTableSse2(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<Sse2Ops>::FillRowTable(selector, y, padded_rows, table);
}

}  // namespace seedscape
