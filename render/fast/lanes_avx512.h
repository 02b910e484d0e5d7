#pragma once

// Only for the translation unit built with -mavx512f: nothing here may be
// used where the processor has not been checked for AVX-512F.
#include <immintrin.h>

#include "maths/maths_avx512.h"
#include "render/fast/lanes_pair.h"

namespace seedscape {

// Eight doubles per register, and masks in mask registers: one bit a lane.
struct Avx512Ops {
    using Register = __m512d;
    using Mask = __mmask8;
    static constexpr int kWidth = 8;

    static Register Broadcast(double a) { return _mm512_set1_pd(a); }
    static Register Load(const double* p) { return _mm512_load_pd(p); }
    static Register LoadUnaligned(const double* p) { return _mm512_loadu_pd(p); }
    static void Store(double* p, Register a) { _mm512_store_pd(p, a); }
    static void StoreUnaligned(double* p, Register a) { _mm512_storeu_pd(p, a); }
    static Register Add(Register a, Register b) { return _mm512_add_pd(a, b); }
    static Register Sub(Register a, Register b) { return _mm512_sub_pd(a, b); }
    static Register Mul(Register a, Register b) { return _mm512_mul_pd(a, b); }
    static Register Div(Register a, Register b) { return _mm512_div_pd(a, b); }
    // The masked form: GCC 12's plain one reads an undefined register and warns.
    static Register Sqrt(Register a) { return _mm512_mask_sqrt_pd(a, 0xFF, a); }
    static Register Abs(Register a) { return _mm512_abs_pd(a); }  // clears the sign bit
    // Where mask is set take a, elsewhere b.
    static Register Select(Mask mask, Register a, Register b) {
        return _mm512_mask_blend_pd(mask, b, a);
    }
    // a + b where mask is set, a elsewhere.
    static Register AddWhere(Mask mask, Register a, Register b) {
        return _mm512_mask_add_pd(a, mask, a, b);
    }

    static Mask And(Mask a, Mask b) { return static_cast<Mask>(a & b); }
    static Mask AndNot(Mask a, Mask b) { return static_cast<Mask>(~a & b); }  // not a, and b
    static Mask Or(Mask a, Mask b) { return static_cast<Mask>(a | b); }
    static Mask AllOnes() { return 0xFF; }
    static Mask NoLanes() { return 0; }
    static Mask Less(Register a, Register b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static Mask Greater(Register a, Register b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
    // a - a is 0 for finite a and NaN for infinities and NaN.
    static Mask IsFinite(Register a) {
        return _mm512_cmp_pd_mask(_mm512_sub_pd(a, a), _mm512_setzero_pd(), _CMP_EQ_OQ);
    }
    static bool Any(Mask mask) { return mask != 0; }
    static int Bits(Mask mask) { return mask; }

    static Register Sin(Register a) { return maths::Sin(a); }
    static Register Cos(Register a) { return maths::Cos(a); }
    static Register Tan(Register a) { return maths::Tan(a); }
    static Register Exp(Register a) { return maths::Exp(a); }
    static Register Ln(Register a) { return maths::Ln(a); }
    static Register Pow(Register a, Register b) { return maths::Pow(a, b); }
};

// Two registers as a tile of four columns by four rows, each register two
// columns of it. Pixels that neighbour one another across as well as down
// escape at more alike steps than sixteen down one column, so fewer lanes
// idle while the slowest of them iterates.
struct Avx512Tile {
    using Register = PairOps<Avx512Ops>::Register;
    static constexpr int kRows = 4;

    // Four rows' values, alike in every column.
    static Register LoadRows(const double* p) {
        // The zero-masked form: GCC 12's plain one reads an undefined register and warns.
        const __m512d rows = _mm512_maskz_broadcast_f64x4(0xFF, _mm256_loadu_pd(p));
        return {rows, rows};
    }
    // Four columns' values, each in all four rows of its column.
    static Register LoadColumns(const double* p) {
        return {TwoColumns(p[0], p[1]), TwoColumns(p[2], p[3])};
    }

  private:
    static __m512d TwoColumns(double left, double right) {
        return _mm512_mask_blend_pd(0xF0, _mm512_set1_pd(left), _mm512_set1_pd(right));
    }
};

}  // namespace seedscape
