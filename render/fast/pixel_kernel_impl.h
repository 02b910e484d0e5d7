#pragma once

// The fast pixel kernel, written once over an instruction set `Ops`. It
// computes, for several pixels side by side, exactly what ComputePixel
// computes for each, with every lane stepping in lockstep: all lanes start at
// n = 1, so the lanes still iterating always share n, and the lanes that
// have finished stay frozen. `Layout` says which pixels the lanes hold: a
// run down one column, or a tile of a few columns and rows.
//
// The caller makes sure that every plane coordinate is finite and far below
// the overflow range. Then no statement of the iteration can fail (the point
// escapes long before it could overflow), and only the factor formulas that
// divide by a distance need their failures tracked.

#include <algorithm>

#include "render/colour_formulas.h"
#include "render/factor_formulas.h"
#include "render/fast/checked_lanes.h"
#include "render/fast/pixel_kernel.h"

namespace seedscape {

// Lanes that hold consecutive rows of one column.
template <typename Ops>
struct ColumnLanes {
    static constexpr int kRows = Ops::kWidth;
    // Each lane's row's value, from the values of consecutive rows.
    static typename Ops::Register LoadRows(const double* p) { return Ops::LoadUnaligned(p); }
    // Each lane's column's value, from the values of consecutive columns.
    static typename Ops::Register LoadColumns(const double* p) { return Ops::Broadcast(p[0]); }
};

template <typename Ops, typename Layout = ColumnLanes<Ops>>
class PixelKernel {
    using V = CheckedLanes<Ops>;
    using P = PlainLanes<Ops>;
    using R = typename Ops::Register;
    using M = typename Ops::Mask;
    static constexpr int kWidth = Ops::kWidth;
    // Lane k holds row k % kRows and column k / kRows of the lanes' pixels.
    static constexpr int kRows = Layout::kRows;
    static constexpr int kColumns = kWidth / kRows;
    static_assert(kRows * kColumns == kWidth);

  public:
    PixelKernel(const KernelInput& input, const KernelOutput& output) : in_(input), out_(output) {}

    void Run(int column_begin, int column_end) {
        for (int column = column_begin; column < column_end; column += kColumns) {
            // Lanes beyond the last column repeat it: computed, never stored.
            alignas(64) double x[kColumns];
            alignas(64) double number[kColumns];
            for (int c = 0; c < kColumns; ++c) {
                const int from = std::min(column + c, column_end - 1);
                x[c] = in_.x[from];
                number[c] = in_.column_number[from];
                if (column + c < column_end) out_.column[column + c] = {{-1, -1, -1}, {0, 0, 0}};
            }
            const Columns columns{Layout::LoadColumns(x), Layout::LoadColumns(number), column,
                                  std::min(kColumns, column_end - column)};
            for (int row = 0; row < in_.rows; row += kRows) RunLanes(columns, row);
        }
    }

    static void FillRowTable(int selector, const double* y, int padded_rows, double* table) {
        for (int n = 1; n < 100; ++n) {
            for (int row = 0; row < padded_rows; row += kWidth) {
                const P ci(Ops::LoadUnaligned(y + row));
                const P zero(0.0);
                const FactorInputs<P> inputs{
                    P(static_cast<double>(n)), zero, zero, ci, zero, zero, zero, zero};
                Ops::StoreUnaligned(table + n * padded_rows + row,
                                    FactorFormula(selector, inputs).value());
            }
        }
    }

  private:
    // The columns the lanes hold.
    struct Columns {
        R x;       // each lane's plane x
        R number;  // each lane's column counter i
        int first;
        int count;  // those within the columns to render
    };

    // A factor value and the lanes in which it succeeded.
    struct Factor {
        R value;
        M ok;
    };

    // The iteration state of the lanes.
    struct Orbit {
        R zr, zi, zr2, zi2, fak, final_n;
        M first_factor_failed;
    };

    // What the step's factor formulas may read, besides n, zr and zi.
    struct PixelConstants {
        R ci, r1, r2, r3;
        V checked_r1, checked_r2, checked_r3, dn1;
        Factor pixel_factor1, pixel_factor2;
        int first_row;
    };

    // The inputs of the factor formulas computed at every step: the pixel's
    // constants, with n, zr and zi brought up to date before each call.
    struct StepInputs {
        FactorInputs<P> plain;
        FactorInputs<V> checked;

        template <bool kPlain, bool kChecked>
        void Update(double n, R zr, R zi) {
            if constexpr (kPlain) {
                plain.n = P(n);
                plain.zr = P(zr);
                plain.zi = P(zi);
            }
            if constexpr (kChecked) {
                checked.n = V(n);
                checked.zr = V(zr);
                checked.zi = V(zi);
            }
        }
    };

    template <FactorMode kMode>
    Factor Compute(const FactorSource& source, const Factor& pixel_constant,
                   const StepInputs& inputs, int n, int first_row) const {
        if constexpr (kMode == FactorMode::kTable) {
            return {Ops::Broadcast(source.table[n]), source.table_ok[n] ? AllOnes() : NoLanes()};
        } else if constexpr (kMode == FactorMode::kRowTable) {
            return {Layout::LoadRows(source.table + n * source.padded_rows + first_row), AllOnes()};
        } else if constexpr (kMode == FactorMode::kPixel) {
            return pixel_constant;
        } else if constexpr (kMode == FactorMode::kStep) {
            return {FactorFormula(source.selector, inputs.plain).value(), AllOnes()};
        } else {
            const V factor = FactorFormula(source.selector, inputs.checked);
            return {factor.value(), factor.ok()};
        }
    }

    // The escape-time iteration of all lanes, compiled once for every pair of
    // factor modes so that each step does only the work its factors need.
    template <FactorMode kMode1, FactorMode kMode2>
    void Iterate(const PixelConstants& p, R cr, Orbit& orbit) const {
        constexpr bool kPlain = kMode1 == FactorMode::kStep || kMode2 == FactorMode::kStep;
        constexpr bool kChecked =
            kMode1 == FactorMode::kStepChecked || kMode2 == FactorMode::kStepChecked;
        Orbit o = orbit;  // a local copy stays in registers
        const FactorSource source1 = in_.factor1;
        const FactorSource source2 = in_.factor2;
        StepInputs inputs{
            {P(1.0), P(0.0), P(0.0), P(p.ci), P(p.r1), P(p.r2), P(p.r3), P(p.dn1.value())},
            {V(1.0), V(0.0), V(0.0), V(p.ci), p.checked_r1, p.checked_r2, p.checked_r3, p.dn1}};
        const R one = Ops::Broadcast(1);
        const R two = Ops::Broadcast(2);
        const R four = Ops::Broadcast(4);
        for (int n = 1; n < 100; ++n) {
            // The test reads the squares stored at the start of the previous step.
            const M active = Ops::Less(Ops::Add(o.zr2, o.zi2), four);
            if (!Ops::Any(active)) break;

            const double step = n;
            const R zr_old = o.zr;
            const R zi_old = o.zi;
            o.zr2 = Ops::Select(active, Ops::Mul(zr_old, zr_old), o.zr2);
            o.zi2 = Ops::Select(active, Ops::Mul(zi_old, zi_old), o.zi2);

            inputs.template Update<kPlain, kChecked>(step, zr_old, zi_old);
            const Factor factor1 =
                Compute<kMode1>(source1, p.pixel_factor1, inputs, n, p.first_row);
            // A failing factor leaves fak as it was.
            o.fak = Ops::Select(Ops::And(active, factor1.ok), factor1.value, o.fak);
            if (n == 1) o.first_factor_failed = Ops::AndNot(factor1.ok, AllOnes());
            o.zi = Ops::Select(
                active, Ops::Add(Ops::Mul(Ops::Mul(two, zi_old), zr_old), Ops::Mul(o.fak, p.ci)),
                o.zi);

            // The second factor sees the new zi and the old zr.
            Factor factor2 = factor1;
            if constexpr (kMode2 != FactorMode::kSameAsFirst) {
                inputs.template Update<kPlain, kChecked>(step, zr_old, o.zi);
                factor2 = Compute<kMode2>(source2, p.pixel_factor2, inputs, n, p.first_row);
            }
            o.fak = Ops::Select(Ops::And(active, factor2.ok), factor2.value, o.fak);
            o.zr = Ops::Select(active, Ops::Add(Ops::Sub(o.zr2, o.zi2), Ops::Mul(o.fak, cr)), o.zr);

            o.final_n = Ops::AddWhere(active, o.final_n, one);
        }
        orbit = o;
    }

    template <FactorMode kMode1>
    void IterateWithSecond(const PixelConstants& p, R cr, Orbit& o) const {
        switch (in_.factor2.mode) {
            case FactorMode::kTable:
                return Iterate<kMode1, FactorMode::kTable>(p, cr, o);
            case FactorMode::kRowTable:
                return Iterate<kMode1, FactorMode::kRowTable>(p, cr, o);
            case FactorMode::kPixel:
                return Iterate<kMode1, FactorMode::kPixel>(p, cr, o);
            case FactorMode::kStep:
                return Iterate<kMode1, FactorMode::kStep>(p, cr, o);
            case FactorMode::kStepChecked:
                return Iterate<kMode1, FactorMode::kStepChecked>(p, cr, o);
            case FactorMode::kSameAsFirst:
                return Iterate<kMode1, FactorMode::kSameAsFirst>(p, cr, o);
        }
    }

    void IterateAll(const PixelConstants& p, R cr, Orbit& o) const {
        switch (in_.factor1.mode) {
            case FactorMode::kTable:
                return IterateWithSecond<FactorMode::kTable>(p, cr, o);
            case FactorMode::kRowTable:
                return IterateWithSecond<FactorMode::kRowTable>(p, cr, o);
            case FactorMode::kPixel:
                return IterateWithSecond<FactorMode::kPixel>(p, cr, o);
            case FactorMode::kStep:
                return IterateWithSecond<FactorMode::kStep>(p, cr, o);
            case FactorMode::kStepChecked:
            case FactorMode::kSameAsFirst:  // never the first factor's mode
                return IterateWithSecond<FactorMode::kStepChecked>(p, cr, o);
        }
    }

    void RunLanes(const Columns& columns, int first_row) {
        const V x(columns.x);
        const V y(Layout::LoadRows(in_.y + first_row));
        const V r1 = Distance(x, y, in_.xt1, in_.yt1);
        const V r2 = Distance(x, y, in_.xt2, in_.yt2);
        const V r3 = Distance(x, y, in_.xt3, in_.yt3);
        const V dn1(in_.dn1);

        // Seed z = 0 and c = the pixel's plane point.
        const FactorInputs<V> seed{V(1.0), V(0.0), V(0.0), y, r1, r2, r3, dn1};
        const PixelConstants constants{y.value(),
                                       r1.value(),
                                       r2.value(),
                                       r3.value(),
                                       r1,
                                       r2,
                                       r3,
                                       dn1,
                                       PixelConstant(in_.factor1, seed),
                                       PixelConstant(in_.factor2, seed),
                                       first_row};
        Orbit o{Zero(), Zero(), Zero(), Zero(), Zero(), Ops::Broadcast(1), NoLanes()};
        IterateAll(constants, x.value(), o);

        const V n(o.final_n);
        const PixelQuantities<V> pixel{
            n,
            V(o.zr),
            V(o.zi),
            x,
            y,
            r1,
            r2,
            r3,
            dn1,
            V(in_.dn2),
            V(in_.dn3),
            V(columns.number),
            V(Layout::LoadRows(in_.row_number + first_row)),
            n * n};  // n is at most 100 here, so n * n always fits in 32 bits
        const SchemeStatements<V> colour = ColourScheme(in_.scheme, pixel);
        Store(columns, first_row, colour, o.first_factor_failed);
    }

    static Factor PixelConstant(const FactorSource& source, const FactorInputs<V>& inputs) {
        if (source.mode != FactorMode::kPixel) return {Zero(), NoLanes()};
        const V factor = FactorFormula(source.selector, inputs);
        return {factor.value(), factor.ok()};
    }

    static V Distance(const V& x, const V& y, double px, double py) {
        const V dx = Abs(x - V(px));
        const V dy = Abs(y - V(py));
        return Sqrt(dx * dx + dy * dy);
    }

    static R Zero() { return Ops::Broadcast(0); }
    static M AllOnes() { return Ops::AllOnes(); }
    static M NoLanes() { return Ops::NoLanes(); }

    // Limits a channel to 0..255 as the render pass does; `rounded` is the
    // limited value rounded half to even, 0 where `assigned` is clear: adding
    // and taking away 2^52 leaves the nearest integer, ties to even, for
    // every value in 0..255. Channels not assigned may hold NaN.
    static void Limit(R channel, M assigned, double* limited, R& rounded) {
        const R zero = Zero();
        const R top = Ops::Broadcast(255);
        const R round = Ops::Broadcast(0x1p52);
        channel = Ops::Select(Ops::Less(channel, zero), zero, channel);
        channel = Ops::Select(Ops::Greater(channel, top), top, channel);
        Ops::Store(limited, channel);
        rounded = Ops::Select(assigned, Ops::Sub(Ops::Add(channel, round), round), zero);
    }

    void Store(const Columns& columns, int first_row, const SchemeStatements<V>& colour,
               M first_factor_failed) const {
        // The statements run w, re, gr, bl; each counts only if all before it succeeded.
        const M red_ok = Ops::And(colour.w.ok(), colour.re.ok());
        const M green_ok = Ops::And(red_ok, colour.gr.ok());
        const M blue_ok = Ops::And(green_ok, colour.bl.ok());
        alignas(64) double limited[3][kWidth];
        R rounded[3];
        Limit(colour.re.value(), red_ok, limited[0], rounded[0]);
        Limit(colour.gr.value(), green_ok, limited[1], rounded[1]);
        Limit(colour.bl.value(), blue_ok, limited[2], rounded[2]);

        // Every lane's word, packed in whole numbers below 2^27, which
        // doubles hold exactly: the assigned channels' bytes, their count
        // (the masks nest, so a channel is assigned where its mask is set)
        // and the carried-factor bit.
        const R count_unit = Ops::Broadcast(double(1U << kAssignedShift));
        R word = Ops::Add(rounded[0], Ops::Mul(rounded[1], Ops::Broadcast(256)));
        word = Ops::Add(word, Ops::Mul(rounded[2], Ops::Broadcast(65536)));
        word = Ops::AddWhere(red_ok, word, count_unit);
        word = Ops::AddWhere(green_ok, word, count_unit);
        word = Ops::AddWhere(blue_ok, word, count_unit);
        word =
            Ops::AddWhere(first_factor_failed, word, Ops::Broadcast(double(kNeedsCarriedFactor)));
        alignas(64) double words[kWidth];
        Ops::Store(words, word);

        const unsigned int channel_bits[3] = {unsigned(Ops::Bits(red_ok)),
                                              unsigned(Ops::Bits(green_ok)),
                                              unsigned(Ops::Bits(blue_ok))};
        const unsigned int kept_bits = ~unsigned(Ops::Bits(first_factor_failed));
        const int rows = std::min(kRows, in_.rows - first_row);
        const unsigned int row_bits = (1U << rows) - 1;
        for (int c = 0; c < columns.count; ++c) {
            const int column = columns.first + c;
            const int first_lane = c * kRows;
            unsigned int* const out = out_.pixel + static_cast<long>(column) * in_.rows + first_row;
            for (int r = 0; r < rows; ++r)
                out[r] = static_cast<unsigned int>(words[first_lane + r]);
            // Each channel's last assignment in the column is its lowest row
            // that assigned it, among pixels that do not need the carried
            // factor and without the last pixel of the columns rendered.
            unsigned int kept = (kept_bits >> first_lane) & row_bits;
            if (column == in_.columns - 1 && first_row + rows == in_.rows) {
                kept &= ~(1U << (rows - 1));
            }
            LastAssigned& last = out_.column[column];
            for (int k = 0; k < 3; ++k) {
                const unsigned int assigned = (channel_bits[k] >> first_lane) & kept;
                if (assigned == 0) continue;
                const int lowest = 31 - __builtin_clz(assigned);
                last.row[k] = first_row + lowest;
                last.value[k] = limited[k][first_lane + lowest];
            }
        }
    }

    const KernelInput& in_;
    const KernelOutput& out_;
};

}  // namespace seedscape
