#include "render/fast_render.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "colour/palette.h"
#include "render/checked.h"
#include "render/factor_formulas.h"
#include "render/pixel_colour.h"
#include "render/pixel_kernel.h"
#include "render/render_image.h"
#include "render/thread_pool.h"

namespace seedscape {

namespace {

constexpr int kLargestSide = 8192;  // larger images take the straightforward path
constexpr int kColumnsPerChunk = 4;
// Plane coordinates up to this size cannot make the iteration overflow.
constexpr double kLargestCoordinate = 1e100;

int FactorSelector(double fak0x) {
    const double selector = maths::RoundHalfEven(fak0x);
    return selector >= 1 && selector <= 25 ? static_cast<int>(selector) : 0;
}

// The formulas that divide by a distance, and so fail where it is 0.
bool MayFail(int selector) {
    return selector == 0 || selector == 11 || selector == 21 || selector == 22 || selector == 23;
}

// Factors that depend on n alone, for n = 1 to 99 (index 0 unused).
struct FactorTable {
    double value[100] = {};
    bool ok[100] = {};

    FactorTable(int selector, double dn1) {
        for (int n = 1; n < 100; ++n) {
            const Checked zero = 0.0;
            const Checked factor =
                FactorFormula<Checked>(selector, {n, zero, zero, zero, zero, zero, zero, dn1});
            value[n] = factor.value();
            ok[n] = factor.ok();
        }
    }
};

// Per-image tables and per-pixel results, reused from render to render.
struct Buffers {
    std::vector<double> x, y, row_number, row_table;
    std::vector<double> re, gr, bl, fak;
    std::vector<unsigned int> colour;
    std::vector<unsigned char> assigned, needs_carried_factor;
    std::vector<ColourValue> column;

    KernelOutput Resize(std::size_t pixels) {
        for (auto* v : {&re, &gr, &bl, &fak}) v->resize(pixels);
        colour.resize(pixels);
        assigned.resize(pixels);
        needs_carried_factor.resize(pixels);
        return {re.data(),     gr.data(),       bl.data(),
                colour.data(), assigned.data(), needs_carried_factor.data(),
                fak.data()};
    }
};

// The bytes of a colour value that a pixel's first 0, 1, 2 or 3 channels fill.
constexpr ColourValue kAssignedBytes[4] = {0x000000, 0x0000FF, 0x00FFFF, 0xFFFFFF};

// Computes a pixel whose first factor failed the straightforward way, from
// the factor the previous pixel left, and stores its channels as the kernel
// would have.
void RecomputePixel(ImageState& state, const KernelOutput& output, std::size_t index) {
    constexpr double kUnassigned = __builtin_nan("");
    state.re = kUnassigned;
    state.gr = kUnassigned;
    state.bl = kUnassigned;
    ComputePixel(state);
    double* const channels[3] = {&state.re, &state.gr, &state.bl};
    double* const limited[3] = {&output.re[index], &output.gr[index], &output.bl[index]};
    int assigned = 0;
    unsigned int packed = 0;
    for (int k = 0; k < 3 && !std::isnan(*channels[k]); ++k) {
        const double value = std::clamp(*channels[k], 0.0, 255.0);
        *limited[k] = value;
        packed |= static_cast<unsigned int>(maths::RoundHalfEven(value)) << (8U * k);
        ++assigned;
    }
    output.assigned[index] = static_cast<unsigned char>(assigned);
    output.colour[index] = packed;
}

bool IsWholeSide(double last_index) {
    return last_index >= 0 && last_index < kLargestSide && std::floor(last_index) == last_index;
}

// Without a formula computed at every step, a step is a handful of
// multiplications that wait on the step before: eight lanes in flight overlap
// them. With a sine in every step, four lanes keep the processor busy, and
// wider lockstep would only lose more to lanes whose pixel has escaped.
void (*ChooseKernel(InstructionSet instructions, const FactorSource& factor1,
                    const FactorSource& factor2))(const KernelInput&, const KernelOutput&, int,
                                                  int) {
    const auto computed_each_step = [](const FactorSource& factor) {
        return factor.mode == FactorMode::kStep || factor.mode == FactorMode::kStepChecked;
    };
    if (instructions == InstructionSet::kBest) {
        if (!HasAvx()) return RunPixelKernelSse2;
        instructions = computed_each_step(factor1) || computed_each_step(factor2)
                           ? InstructionSet::kAvx
                           : InstructionSet::kAvxPaired;
    }
    switch (instructions) {
        case InstructionSet::kAvx:
            return RunPixelKernelAvx;
        case InstructionSet::kAvxPaired:
            return RunPixelKernelAvxPaired;
        default:
            return RunPixelKernelSse2;
    }
}

bool IsModest(double coordinate) {
    return std::fabs(coordinate) <= kLargestCoordinate;
}

}  // namespace

bool HasAvx() {
    static const bool has_avx = __builtin_cpu_supports("avx");
    return has_avx;
}

void RenderImageFast(ImageState& state, DrawingSurface& surface) {
    RenderImageFastWith(state, surface, {});
}

void RenderImageFastWith(ImageState& state, DrawingSurface& surface,
                         const FastRenderOptions& options) {
    if (!IsWholeSide(state.sir) || !IsWholeSide(state.vis)) {
        RenderImage(state, surface);
        return;
    }

    const int columns = static_cast<int>(state.sir) + 1;
    const int rows = static_cast<int>(state.vis) + 1;
    // Whole registers of rows (up to eight lanes), and one more, so that loads
    // never run off the end.
    const int padded_rows = (rows + 7) / 8 * 8 + 8;
    thread_local Buffers buffers;
    std::vector<double>& x = buffers.x;
    std::vector<double>& y = buffers.y;
    x.resize(columns);
    y.resize(padded_rows);
    buffers.row_number.resize(padded_rows);
    bool modest = true;
    for (int column = 0; column < columns; ++column) {
        x[column] = (column + state.di) / state.zoomx1 - state.zoomx2;
        modest = modest && IsModest(x[column]);
    }
    for (int row = 0; row < padded_rows; ++row) {
        // Padding lanes repeat the last row: computed, never stored.
        const double j = row < rows ? row : rows - 1;
        y[row] = state.zoomy2 - (j + state.dj) / state.zoomy1;
        buffers.row_number[row] = j;
        modest = modest && IsModest(y[row]);
    }
    for (const double point : {double(state.xt1), double(state.yt1), double(state.xt2),
                               double(state.yt2), double(state.xt3), double(state.yt3)}) {
        modest = modest && IsModest(point);
    }
    if (!modest) {
        RenderImage(state, surface);
        return;
    }

    const bool avx = options.instructions == InstructionSet::kAvx ||
                     options.instructions == InstructionSet::kAvxPaired ||
                     (options.instructions == InstructionSet::kBest && HasAvx());
    const int selector1 = FactorSelector(state.fak01);
    const int selector2 = FactorSelector(state.fak02);
    const FactorTable table1(selector1, state.dn1);
    const FactorTable table2(selector2, state.dn1);
    const auto source = [&](int selector, const FactorTable& table) {
        FactorSource factor;
        factor.selector = selector;
        factor.padded_rows = padded_rows;
        switch (DependenceOf(selector)) {
            case FactorDependence::kTable:
                factor.mode = FactorMode::kTable;
                factor.table = table.value;
                factor.table_ok = table.ok;
                break;
            case FactorDependence::kPixel:
                factor.mode = FactorMode::kPixel;
                break;
            case FactorDependence::kStep:
                factor.mode = MayFail(selector) ? FactorMode::kStepChecked : FactorMode::kStep;
                break;
        }
        // sin(n + ci) depends on the row alone: one table for the whole image.
        if (selector == 8 || selector == 9) {
            buffers.row_table.resize(100 * static_cast<std::size_t>(padded_rows));
            (avx ? FillRowFactorTableAvx : FillRowFactorTableSse2)(8, y.data(), padded_rows,
                                                                   buffers.row_table.data());
            factor.mode = FactorMode::kRowTable;
            factor.table = buffers.row_table.data();
        }
        return factor;
    };

    KernelInput input;
    input.columns = columns;
    input.rows = rows;
    input.x = x.data();
    input.y = y.data();
    input.row_number = buffers.row_number.data();
    input.xt1 = state.xt1;
    input.yt1 = state.yt1;
    input.xt2 = state.xt2;
    input.yt2 = state.yt2;
    input.xt3 = state.xt3;
    input.yt3 = state.yt3;
    input.dn1 = state.dn1;
    input.dn2 = state.dn2;
    input.dn3 = state.dn3;
    input.factor1 = source(selector1, table1);
    input.factor2 = source(selector2, table2);
    // The same formula twice in a step gives the same value, unless it reads
    // zi, which changes between the two.
    const bool same_formula =
        selector1 == selector2 || (input.factor1.mode == FactorMode::kRowTable &&
                                   input.factor2.mode == FactorMode::kRowTable);
    if (same_formula && selector2 != 6 && input.factor2.mode != FactorMode::kTable) {
        input.factor2.mode = FactorMode::kSameAsFirst;
    }
    input.scheme = SelectScheme(state.barva);

    const KernelOutput output = buffers.Resize(static_cast<std::size_t>(columns) * rows);
    BuildPalette(state);

    const auto kernel = ChooseKernel(options.instructions, input.factor1, input.factor2);
    std::atomic<int> next_chunk{0};
    const std::function<void()> work = [&] {
        for (;;) {
            const int begin = kColumnsPerChunk * next_chunk.fetch_add(1);
            if (begin >= columns) return;
            kernel(input, output, begin, std::min(begin + kColumnsPerChunk, columns));
        }
    };
    if (options.threads == 1) {
        work();
    } else {
        RenderThreads().RunOnAll(work);
    }

    // Resolve, in the straightforward order, what carries from pixel to pixel:
    // the factor into pixels whose first factor failed, and the channels a
    // pixel did not assign.
    const double palette[3] = {state.re, state.gr, state.bl};
    ColourValue current = ClampAndRound(state);  // the palette's values, as plotted
    double fak = state.fak;
    double fak_before_last = fak;
    std::vector<ColourValue>& column_colours = buffers.column;
    column_colours.resize(rows);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const std::size_t index = static_cast<std::size_t>(column) * rows + row;
            fak_before_last = fak;
            if (output.needs_carried_factor[index]) {
                state.i = column;
                state.j = row;
                state.x = x[column];
                state.y = y[row];
                state.fak = fak;
                RecomputePixel(state, output, index);
                fak = state.fak;
            } else {
                fak = output.fak[index];
            }
            const ColourValue mask = kAssignedBytes[output.assigned[index]];
            current = (output.colour[index] & mask) | (current & ~mask);
            column_colours[row] = current;
        }
        surface.SetColumn(column + static_cast<int>(state.zamikx), static_cast<int>(state.zamiky),
                          column_colours.data(), rows);
    }

    // Leave the record as the straightforward pass leaves it: the last pixel
    // computed from the channels and factor before it, and the counters one
    // past the last column and row.
    const std::size_t last = static_cast<std::size_t>(columns) * rows - 1;
    double* const channels[3] = {&state.re, &state.gr, &state.bl};
    const std::vector<double>* const limited[3] = {&buffers.re, &buffers.gr, &buffers.bl};
    for (int k = 0; k < 3; ++k) {
        *channels[k] = palette[k];
        for (std::size_t index = last; index-- > 0;) {
            if (output.assigned[index] > k) {
                *channels[k] = (*limited[k])[index];
                break;
            }
        }
    }
    state.i = columns - 1;
    state.j = rows - 1;
    state.x = x[columns - 1];
    state.y = y[rows - 1];
    state.fak = fak_before_last;
    ComputePixel(state);
    ClampAndRound(state);
    state.i = columns;
    state.j = rows;
}

}  // namespace seedscape
