#include "render/fast/kernel_sets.h"
#include "render/fast/lanes_sse2.h"
#include "render/fast/pixel_kernel_impl.h"

namespace seedscape {

namespace {

bool Supported() {
    return true;  // every x86-64 processor has SSE2
}

void Run(const KernelInput& input, const KernelOutput& output, int column_begin, int column_end) {
    PixelKernel<Sse2Ops>(input, output).Run(column_begin, column_end);
}

void FillRowTable(int selector, const double* y, int padded_rows, double* table) {
    PixelKernel<Sse2Ops>::FillRowTable(selector, y, padded_rows, table);
}

}  // namespace

extern const PixelKernelSet kSse2KernelSet;
const PixelKernelSet kSse2KernelSet = {"sse2",  Supported, Sse2Ops::kWidth, Run,  nullptr,
                                       nullptr, 0,         FillRowTable,    false};

}  // namespace seedscape
