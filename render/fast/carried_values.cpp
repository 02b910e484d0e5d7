#include "render/fast/carried_values.h"

#include <algorithm>
#include <cmath>

#include "maths/maths.h"
#include "render/render_image.h"

namespace seedscape {

namespace {

// The bytes of a colour value that a pixel's first 0, 1, 2 or 3 channels fill.
constexpr ColourValue kAssignedBytes[4] = {0x000000, 0x0000FF, 0x00FFFF, 0xFFFFFF};

void PointAt(ImageState& state, const KernelResults& results, long index) {
    const int i = static_cast<int>(index / results.rows);
    const int j = static_cast<int>(index % results.rows);
    state.i = results.column_number[i];
    state.j = results.row_number[j];
    state.x = results.x[i];
    state.y = results.y[j];
}

// The factor a pixel whose first factor succeeded leaves behind. It sets the
// factor before reading it, so it starts from any factor alike: computing it
// again the straightforward way is cheaper than keeping every pixel's factor.
double FactorLeftBy(ImageState& state, const KernelResults& results, long index) {
    PointAt(state, results, index);
    ComputePixel(state);
    return state.fak;
}

// A pixel computed again the straightforward way, from the factor the
// previous pixel left.
struct Recomputed {
    unsigned int word;  // as the kernel packs it, without the carried-factor bit
    int assigned;
    double limited[3];
    double fak;  // the factor it leaves
};

Recomputed RecomputePixel(ImageState& state, const KernelResults& results, long index, double fak) {
    constexpr double kUnassigned = __builtin_nan("");
    PointAt(state, results, index);
    state.fak = fak;
    state.re = kUnassigned;
    state.gr = kUnassigned;
    state.bl = kUnassigned;
    ComputePixel(state);
    const double channels[3] = {state.re, state.gr, state.bl};
    Recomputed pixel{0, 0, {0, 0, 0}, state.fak};
    for (int k = 0; k < 3 && !std::isnan(channels[k]); ++k) {
        pixel.limited[k] = std::clamp(channels[k], 0.0, 255.0);
        pixel.word |= static_cast<unsigned int>(maths::RoundHalfEven(pixel.limited[k])) << (8U * k);
        ++pixel.assigned;
    }
    pixel.word |= static_cast<unsigned int>(pixel.assigned) << kAssignedShift;
    return pixel;
}

}  // namespace

CarriedValuesWalk::CarriedValuesWalk(ImageState& state, const KernelResults& results,
                                     DrawingSurface& surface, std::vector<ColourValue>& column)
    : state_(state),
      results_(results),
      surface_(surface),
      column_(column),
      current_(ClampAndRound(state)),
      fak_(state.fak) {
    column_.resize(results.rows);
}

void CarriedValuesWalk::ResolveUpTo(int end) {
    const long last = static_cast<long>(results_.columns) * results_.rows - 1;
    for (; next_column_ < end; ++next_column_) {
        const int i = next_column_;
        const unsigned int* const words =
            results_.output.pixel + static_cast<long>(i) * results_.rows;
        unsigned int all_words = 0;
        for (int j = 0; j < results_.rows; ++j) all_words |= words[j];
        if ((all_words & kNeedsCarriedFactor) == 0 && i != results_.columns - 1) {
            // Most columns: no pixel needs the carried factor, and none is the last.
            for (int j = 0; j < results_.rows; ++j) {
                const ColourValue mask = kAssignedBytes[words[j] >> kAssignedShift & 3U];
                current_ = (words[j] & mask) | (current_ & ~mask);
                column_[j] = current_;
            }
            fak_known_ = false;
        } else {
            ResolveColumn(i, last);
        }
        surface_.SetColumn(results_.left + i, results_.top, column_.data(), results_.rows);
    }
}

void CarriedValuesWalk::ResolveColumn(int i, long last) {
    for (int j = 0; j < results_.rows; ++j) {
        const long index = static_cast<long>(i) * results_.rows + j;
        unsigned int word = results_.output.pixel[index];
        const bool needs_fak = (word & kNeedsCarriedFactor) != 0;
        if ((needs_fak || index == last) && !fak_known_) {
            fak_ = FactorLeftBy(state_, results_, index - 1);
            fak_known_ = true;
        }
        if (index == last) last_fak_ = fak_;
        if (needs_fak) {
            const Recomputed pixel = RecomputePixel(state_, results_, index, fak_);
            word = pixel.word;
            fak_ = pixel.fak;
            for (int k = 0; k < pixel.assigned && index != last; ++k) {
                recomputed_index_[k] = index;
                recomputed_value_[k] = pixel.limited[k];
            }
        } else {
            fak_known_ = false;
        }
        const ColourValue mask = kAssignedBytes[word >> kAssignedShift & 3U];
        current_ = (word & mask) | (current_ & ~mask);
        column_[j] = current_;
    }
}

BeforeLastPixel CarriedValuesWalk::Finish() const {
    BeforeLastPixel before_last;
    before_last.fak = last_fak_;
    // Each channel's last value before the last pixel: from the last column
    // whose kernel pixels assigned it, or from a pixel computed here, which
    // ever came later.
    for (int k = 0; k < 3; ++k) {
        long index = recomputed_index_[k];
        double value = recomputed_value_[k];
        for (int i = results_.columns - 1; i >= 0; --i) {
            const LastAssigned& kernel_last = results_.output.column[i];
            if (kernel_last.row[k] < 0) continue;
            const long kernel_index = static_cast<long>(i) * results_.rows + kernel_last.row[k];
            if (kernel_index > index) {
                index = kernel_index;
                value = kernel_last.value[k];
            }
            break;
        }
        before_last.assigned[k] = index >= 0;
        before_last.channel[k] = value;
    }
    return before_last;
}

void LeaveRecordAsStraightforward(ImageState& state, const KernelResults& results,
                                  const double palette[3], const BeforeLastPixel& before_last) {
    // Each channel holds the last value assigned to it before the last pixel.
    double* const channels[3] = {&state.re, &state.gr, &state.bl};
    for (int k = 0; k < 3; ++k) {
        *channels[k] = before_last.assigned[k] ? before_last.channel[k] : palette[k];
    }
    PointAt(state, results, static_cast<long>(results.columns) * results.rows - 1);
    state.fak = before_last.fak;
    ComputePixel(state);
    ClampAndRound(state);
}

}  // namespace seedscape
