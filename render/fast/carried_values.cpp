#include "render/fast/carried_values.h"

#include <algorithm>
#include <cmath>

#include "maths/maths.h"
#include "render/render_image.h"

namespace seedscape {

namespace {

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

}  // namespace

double ResolveCarriedValues(ImageState& state, const KernelResults& results,
                            DrawingSurface& surface, std::vector<ColourValue>& column) {
    const KernelOutput& output = results.output;
    ColourValue current = ClampAndRound(state);  // the palette's values, as plotted
    double fak = state.fak;
    double fak_before_last = fak;
    column.resize(results.rows);
    for (int i = 0; i < results.columns; ++i) {
        for (int j = 0; j < results.rows; ++j) {
            const std::size_t index = static_cast<std::size_t>(i) * results.rows + j;
            fak_before_last = fak;
            if (output.needs_carried_factor[index]) {
                state.i = i;
                state.j = j;
                state.x = results.x[i];
                state.y = results.y[j];
                state.fak = fak;
                RecomputePixel(state, output, index);
                fak = state.fak;
            } else {
                fak = output.fak[index];
            }
            const ColourValue mask = kAssignedBytes[output.assigned[index]];
            current = (output.colour[index] & mask) | (current & ~mask);
            column[j] = current;
        }
        surface.SetColumn(i + static_cast<int>(state.zamikx), static_cast<int>(state.zamiky),
                          column.data(), results.rows);
    }
    return fak_before_last;
}

void LeaveRecordAsStraightforward(ImageState& state, const KernelResults& results,
                                  const double palette[3], double fak_before_last) {
    // Each channel holds the last value assigned to it before the last pixel.
    const KernelOutput& output = results.output;
    const std::size_t last = static_cast<std::size_t>(results.columns) * results.rows - 1;
    double* const channels[3] = {&state.re, &state.gr, &state.bl};
    const double* const limited[3] = {output.re, output.gr, output.bl};
    for (int k = 0; k < 3; ++k) {
        *channels[k] = palette[k];
        for (std::size_t index = last; index-- > 0;) {
            if (output.assigned[index] > k) {
                *channels[k] = limited[k][index];
                break;
            }
        }
    }
    state.i = results.columns - 1;
    state.j = results.rows - 1;
    state.x = results.x[results.columns - 1];
    state.y = results.y[results.rows - 1];
    state.fak = fak_before_last;
    ComputePixel(state);
    ClampAndRound(state);
    state.i = results.columns;
    state.j = results.rows;
}

}  // namespace seedscape
