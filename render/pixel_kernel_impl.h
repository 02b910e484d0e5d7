#pragma once

// The fast pixel kernel, written once over an instruction set `Ops`. It
// computes, several pixels side by side, exactly what ComputePixel computes
// for each: first the iteration of every pixel of its columns, one pixel per
// lane, then their colours, a few rows of a column at a time.
//
// The caller makes sure that every plane coordinate is finite and far below
// the overflow range. Then no statement of the iteration can fail (the point
// escapes long before it could overflow), and only the factor formulas that
// divide by a distance need their failures tracked.

#include "render/checked_lanes.h"
#include "render/colour_formulas.h"
#include "render/factor_formulas.h"
#include "render/pixel_kernel.h"

namespace seedscape {

template <typename Ops>
class PixelKernel {
    using V = CheckedLanes<Ops>;
    using P = PlainLanes<Ops>;
    using R = typename Ops::Register;
    static constexpr int kWidth = Ops::kWidth;

public:
    PixelKernel(const KernelInput& input, const KernelOutput& output)
        : in_(input), out_(output) {}

    // Iterates every pixel of the columns, then colours them.
    void Run(int column_begin, int column_end) {
        IterateAll(column_begin, column_end);
        for (int column = column_begin; column < column_end; ++column) {
            for (int row = 0; row < in_.rows; row += kWidth) Colour(column, row);
        }
    }

    static void FillRowTable(int selector, const double* y, int padded_rows, double* table) {
        for (int n = 1; n <= 100; ++n) {
            for (int row = 0; row < padded_rows; row += kWidth) {
                const P ci(Ops::LoadUnaligned(y + row));
                const P zero(0.0);
                const FactorInputs<P> inputs{P(static_cast<double>(n)), zero, zero, ci,
                                             zero, zero, zero, zero};
                Ops::StoreUnaligned(table + n * padded_rows + row,
                                    FactorFormula(selector, inputs).value());
            }
        }
    }

private:
    // A factor value and the lanes in which it succeeded.
    struct Factor {
        R value;
        R ok;
    };

    // The iteration state of the lanes. Every lane has its own pixel and its
    // own n: a lane whose pixel has escaped takes the next pixel at once, so
    // no lane idles while others go on.
    struct Orbit {
        R zr, zi, zr2, zi2, fak, n, first_factor_failed;
    };

    // What each lane's pixel keeps for the whole iteration.
    struct PixelConstants {
        R cr, ci, row;
        V r1, r2, r3;
        Factor pixel_factor1, pixel_factor2;
    };

    // Which pixel each lane holds (-1: none left for it).
    struct LanePixels {
        long pixel[kWidth];
        long next;
        long end;
    };

    // The inputs of the factor formulas computed at every step: the pixel's
    // constants, with n, zr and zi brought up to date before each call.
    struct StepInputs {
        FactorInputs<P> plain;
        FactorInputs<V> checked;

        void Reset(const PixelConstants& p, const V& dn1) {
            plain = {P(1.0), P(0.0), P(0.0), P(p.ci), P(p.r1.value()), P(p.r2.value()),
                     P(p.r3.value()), P(dn1.value())};
            checked = {V(1.0), V(0.0), V(0.0), V(p.ci), p.r1, p.r2, p.r3, dn1};
        }

        template <bool kPlain, bool kChecked>
        void Update(R n, R zr, R zi) {
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

    // Each lane's entry of `table` at index n * stride + row.
    static R Gather(const double* table, R n, int stride, R row) {
        alignas(64) double steps[kWidth], rows[kWidth], values[kWidth];
        Ops::Store(steps, n);
        Ops::Store(rows, row);
        for (int lane = 0; lane < kWidth; ++lane) {
            values[lane] = table[static_cast<long>(steps[lane]) * stride +
                                 static_cast<long>(rows[lane])];
        }
        return Ops::Load(values);
    }

    template <FactorMode kMode>
    Factor Compute(const FactorSource& source, const Factor& pixel_constant,
                   const StepInputs& inputs, const Orbit& o, const PixelConstants& p) const {
        if constexpr (kMode == FactorMode::kTable) {
            return {Gather(source.table, o.n, 1, Zero()), AllOnes()};
        } else if constexpr (kMode == FactorMode::kRowTable) {
            return {Gather(source.table, o.n, source.padded_rows, p.row), AllOnes()};
        } else if constexpr (kMode == FactorMode::kPixel) {
            return pixel_constant;
        } else if constexpr (kMode == FactorMode::kStep) {
            return {FactorFormula(source.selector, inputs.plain).value(), AllOnes()};
        } else {
            const V factor = FactorFormula(source.selector, inputs.checked);
            return {factor.value(), factor.ok()};
        }
    }

    // The escape-time iteration of the columns' pixels, compiled once for
    // every pair of factor modes so that each step does only the work its
    // factors need.
    template <FactorMode kMode1, FactorMode kMode2>
    void Iterate(int column_begin, int column_end) const {
        constexpr bool kPlain = kMode1 == FactorMode::kStep || kMode2 == FactorMode::kStep;
        constexpr bool kChecked =
            kMode1 == FactorMode::kStepChecked || kMode2 == FactorMode::kStepChecked;
        const FactorSource source1 = in_.factor1;
        const FactorSource source2 = in_.factor2;
        const V dn1(in_.dn1);
        LanePixels lanes;
        for (long& pixel : lanes.pixel) pixel = -1;
        lanes.next = static_cast<long>(column_begin) * in_.rows;
        lanes.end = static_cast<long>(column_end) * in_.rows;
        Orbit o;
        PixelConstants p;
        StepInputs inputs;
        Refill(lanes, AllOnes(), o, p);
        inputs.Reset(p, dn1);

        const R one = Ops::Broadcast(1);
        const R two = Ops::Broadcast(2);
        const R four = Ops::Broadcast(4);
        const R hundred = Ops::Broadcast(100);
        for (;;) {
            // The test reads the squares stored at the start of the previous step.
            R active = Ops::And(Ops::Less(Ops::Add(o.zr2, o.zi2), four), Ops::Less(o.n, hundred));
            const R finished = Ops::AndNot(active, Live(lanes));
            if (Ops::Any(finished)) {
                Refill(lanes, finished, o, p);
                inputs.Reset(p, dn1);
                active = Ops::And(Ops::Less(Ops::Add(o.zr2, o.zi2), four), Ops::Less(o.n, hundred));
                if (!Ops::Any(active)) return;
            }

            const R zr_old = o.zr;
            const R zi_old = o.zi;
            o.zr2 = Ops::Select(active, Ops::Mul(zr_old, zr_old), o.zr2);
            o.zi2 = Ops::Select(active, Ops::Mul(zi_old, zi_old), o.zi2);

            inputs.template Update<kPlain, kChecked>(o.n, zr_old, zi_old);
            const Factor factor1 = Compute<kMode1>(source1, p.pixel_factor1, inputs, o, p);
            // A failing factor leaves fak as it was.
            o.fak = Ops::Select(Ops::And(active, factor1.ok), factor1.value, o.fak);
            o.first_factor_failed = Ops::Select(Ops::Less(o.n, Ops::Broadcast(1.5)),
                                                Ops::AndNot(factor1.ok, AllOnes()),
                                                o.first_factor_failed);
            o.zi = Ops::Select(
                active, Ops::Add(Ops::Mul(Ops::Mul(two, zi_old), zr_old), Ops::Mul(o.fak, p.ci)),
                o.zi);

            // The second factor sees the new zi and the old zr.
            Factor factor2 = factor1;
            if constexpr (kMode2 != FactorMode::kSameAsFirst) {
                inputs.template Update<kPlain, kChecked>(o.n, zr_old, o.zi);
                factor2 = Compute<kMode2>(source2, p.pixel_factor2, inputs, o, p);
            }
            o.fak = Ops::Select(Ops::And(active, factor2.ok), factor2.value, o.fak);
            o.zr = Ops::Select(active, Ops::Add(Ops::Sub(o.zr2, o.zi2), Ops::Mul(o.fak, p.cr)),
                               o.zr);

            o.n = Ops::Add(o.n, Ops::And(active, one));
        }
    }

    // All ones in the lanes that hold a pixel.
    static R Live(const LanePixels& lanes) {
        alignas(64) double live[kWidth];
        for (int lane = 0; lane < kWidth; ++lane) live[lane] = lanes.pixel[lane] >= 0 ? 1 : 0;
        return Ops::Less(Ops::Broadcast(0.5), Ops::Load(live));
    }

    // Hands the results of the finished lanes' pixels on and gives those lanes
    // the next pixels of the columns, seeded with z = 0 and c = the plane point.
    void Refill(LanePixels& lanes, R finished, Orbit& o, PixelConstants& p) const {
        alignas(64) double zr[kWidth], zi[kWidth], zr2[kWidth], zi2[kWidth], fak[kWidth],
            n[kWidth], failed[kWidth], cr[kWidth], ci[kWidth], row[kWidth];
        Ops::Store(zr, o.zr);
        Ops::Store(zi, o.zi);
        Ops::Store(zr2, o.zr2);
        Ops::Store(zi2, o.zi2);
        Ops::Store(fak, o.fak);
        Ops::Store(n, o.n);
        Ops::Store(failed, o.first_factor_failed);
        Ops::Store(cr, p.cr);
        Ops::Store(ci, p.ci);
        Ops::Store(row, p.row);
        const int finished_bits = Ops::Bits(finished);
        for (int lane = 0; lane < kWidth; ++lane) {
            if (!((finished_bits >> lane) & 1)) continue;
            const long done = lanes.pixel[lane];
            if (done >= 0) {
                out_.n[done] = n[lane];
                out_.zr[done] = zr[lane];
                out_.zi[done] = zi[lane];
                out_.fak[done] = fak[lane];
                out_.needs_carried_factor[done] = failed[lane] != 0;
            }
            if (lanes.next < lanes.end) {
                const long pixel = lanes.next++;
                lanes.pixel[lane] = pixel;
                const long column = pixel / in_.rows;
                const long pixel_row = pixel - column * in_.rows;
                cr[lane] = in_.x[column];
                ci[lane] = in_.y[pixel_row];
                row[lane] = static_cast<double>(pixel_row);
                // All bits clear: the lane's masks read as "no" again.
                zr[lane] = zi[lane] = zr2[lane] = zi2[lane] = fak[lane] = failed[lane] = 0;
                n[lane] = 1;
            } else {
                // No pixel left: the lane stays out of every test from now on.
                lanes.pixel[lane] = -1;
                zr2[lane] = 4;
                n[lane] = 100;
            }
        }
        o = {Ops::Load(zr), Ops::Load(zi), Ops::Load(zr2), Ops::Load(zi2),
             Ops::Load(fak), Ops::Load(n), Ops::Load(failed)};
        p.cr = Ops::Load(cr);
        p.ci = Ops::Load(ci);
        p.row = Ops::Load(row);
        const V x(p.cr);
        const V y(p.ci);
        p.r1 = Distance(x, y, in_.xt1, in_.yt1);
        p.r2 = Distance(x, y, in_.xt2, in_.yt2);
        p.r3 = Distance(x, y, in_.xt3, in_.yt3);
        const FactorInputs<V> seed{V(1.0), V(0.0), V(0.0), y, p.r1, p.r2, p.r3, V(in_.dn1)};
        p.pixel_factor1 = PixelConstant(in_.factor1, seed);
        p.pixel_factor2 = PixelConstant(in_.factor2, seed);
    }

    template <FactorMode kMode1>
    void IterateWithSecond(int column_begin, int column_end) const {
        switch (in_.factor2.mode) {
            case FactorMode::kTable:
                return Iterate<kMode1, FactorMode::kTable>(column_begin, column_end);
            case FactorMode::kRowTable:
                return Iterate<kMode1, FactorMode::kRowTable>(column_begin, column_end);
            case FactorMode::kPixel:
                return Iterate<kMode1, FactorMode::kPixel>(column_begin, column_end);
            case FactorMode::kStep:
                return Iterate<kMode1, FactorMode::kStep>(column_begin, column_end);
            case FactorMode::kStepChecked:
                return Iterate<kMode1, FactorMode::kStepChecked>(column_begin, column_end);
            case FactorMode::kSameAsFirst:
                return Iterate<kMode1, FactorMode::kSameAsFirst>(column_begin, column_end);
        }
    }

    void IterateAll(int column_begin, int column_end) const {
        switch (in_.factor1.mode) {
            case FactorMode::kTable:
                return IterateWithSecond<FactorMode::kTable>(column_begin, column_end);
            case FactorMode::kRowTable:
                return IterateWithSecond<FactorMode::kRowTable>(column_begin, column_end);
            case FactorMode::kPixel:
                return IterateWithSecond<FactorMode::kPixel>(column_begin, column_end);
            case FactorMode::kStep:
                return IterateWithSecond<FactorMode::kStep>(column_begin, column_end);
            case FactorMode::kStepChecked:
            case FactorMode::kSameAsFirst:  // never the first factor's mode
                return IterateWithSecond<FactorMode::kStepChecked>(column_begin, column_end);
        }
    }

    // The colour of kWidth pixels of a column from their iteration results.
    void Colour(int column, int first_row) const {
        const long first = static_cast<long>(column) * in_.rows + first_row;
        const V x(in_.x[column]);
        const V y(Ops::LoadUnaligned(in_.y + first_row));
        const V n(Ops::LoadUnaligned(out_.n + first));
        const V dn1(in_.dn1);
        const PixelQuantities<V> pixel{
            n,
            V(Ops::LoadUnaligned(out_.zr + first)),
            V(Ops::LoadUnaligned(out_.zi + first)),
            x,
            y,
            Distance(x, y, in_.xt1, in_.yt1),
            Distance(x, y, in_.xt2, in_.yt2),
            Distance(x, y, in_.xt3, in_.yt3),
            dn1,
            V(in_.dn2),
            V(in_.dn3),
            V(static_cast<double>(column)),
            V(Ops::LoadUnaligned(in_.row_number + first_row)),
            n * n};  // n is at most 100 here, so n * n always fits in 32 bits
        Store(column, first_row, ColourScheme(in_.scheme, pixel));
    }

    static Factor PixelConstant(const FactorSource& source, const FactorInputs<V>& inputs) {
        if (source.mode != FactorMode::kPixel) return {Zero(), Zero()};
        const V factor = FactorFormula(source.selector, inputs);
        return {factor.value(), factor.ok()};
    }

    static V Distance(const V& x, const V& y, double px, double py) {
        const V dx = Abs(x - V(px));
        const V dy = Abs(y - V(py));
        return Sqrt(dx * dx + dy * dy);
    }

    static R Zero() { return Ops::Broadcast(0); }
    static R AllOnes() { return Ops::AllOnes(); }

    // Limits a channel to 0..255 as the render pass does, then rounds it half
    // to even: adding and taking away 2^52 leaves the nearest integer, ties
    // to even, for every value in 0..255.
    static void Limit(R channel, double* limited, double* rounded) {
        const R zero = Zero();
        const R top = Ops::Broadcast(255);
        const R round = Ops::Broadcast(0x1p52);
        channel = Ops::Select(Ops::Less(channel, zero), zero, channel);
        channel = Ops::Select(Ops::Greater(channel, top), top, channel);
        Ops::Store(limited, channel);
        Ops::Store(rounded, Ops::Sub(Ops::Add(channel, round), round));
    }

    void Store(int column, int first_row, const SchemeStatements<V>& colour) const {
        alignas(64) double re[kWidth], gr[kWidth], bl[kWidth];
        alignas(64) double red[kWidth], green[kWidth], blue[kWidth];
        Limit(colour.re.value(), re, red);
        Limit(colour.gr.value(), gr, green);
        Limit(colour.bl.value(), bl, blue);
        // The statements run w, re, gr, bl; each counts only if all before it succeeded.
        const R red_ok = Ops::And(colour.w.ok(), colour.re.ok());
        const R green_ok = Ops::And(red_ok, colour.gr.ok());
        const R blue_ok = Ops::And(green_ok, colour.bl.ok());
        const int red_bits = Ops::Bits(red_ok);
        const int green_bits = Ops::Bits(green_ok);
        const int blue_bits = Ops::Bits(blue_ok);

        const int lanes = in_.rows - first_row < kWidth ? in_.rows - first_row : kWidth;
        for (int lane = 0; lane < lanes; ++lane) {
            const long index = static_cast<long>(column) * in_.rows + first_row + lane;
            const int assigned =
                ((red_bits >> lane) & 1) + ((green_bits >> lane) & 1) + ((blue_bits >> lane) & 1);
            // Only assigned channels are converted: the others may hold NaN.
            unsigned int packed = 0;
            if (assigned >= 1) packed |= static_cast<unsigned int>(red[lane]);
            if (assigned >= 2) packed |= static_cast<unsigned int>(green[lane]) << 8U;
            if (assigned >= 3) packed |= static_cast<unsigned int>(blue[lane]) << 16U;
            out_.re[index] = re[lane];
            out_.gr[index] = gr[lane];
            out_.bl[index] = bl[lane];
            out_.colour[index] = packed;
            out_.assigned[index] = static_cast<unsigned char>(assigned);
        }
    }

    const KernelInput& in_;
    const KernelOutput& out_;
};

}  // namespace seedscape
