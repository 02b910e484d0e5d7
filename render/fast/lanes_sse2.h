#pragma once

#include <emmintrin.h>

#include "maths/maths_sse2.h"

namespace seedscape {

// Two doubles per register: every x86-64 processor has SSE2.
struct Sse2Ops {
    using Register = __m128d;
    // A lane's mask is all ones or all zeros in the lane itself.
    using Mask = __m128d;
    static constexpr int kWidth = 2;

    static Register Broadcast(double a) { return _mm_set1_pd(a); }
    static Register Load(const double* p) { return _mm_load_pd(p); }
    static Register LoadUnaligned(const double* p) { return _mm_loadu_pd(p); }
    static void Store(double* p, Register a) { _mm_store_pd(p, a); }
    static void StoreUnaligned(double* p, Register a) { _mm_storeu_pd(p, a); }
    static Register Add(Register a, Register b) { return _mm_add_pd(a, b); }
    static Register Sub(Register a, Register b) { return _mm_sub_pd(a, b); }
    static Register Mul(Register a, Register b) { return _mm_mul_pd(a, b); }
    static Register Div(Register a, Register b) { return _mm_div_pd(a, b); }
    static Register Sqrt(Register a) { return _mm_sqrt_pd(a); }
    static Register Abs(Register a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
    // Where mask is set take a, elsewhere b.
    static Register Select(Mask mask, Register a, Register b) {
        return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
    }
    // a + b where mask is set, a elsewhere (a + 0 is a, as a is never -0 here).
    static Register AddWhere(Mask mask, Register a, Register b) {
        return _mm_add_pd(a, _mm_and_pd(mask, b));
    }

    static Mask And(Mask a, Mask b) { return _mm_and_pd(a, b); }
    static Mask AndNot(Mask a, Mask b) { return _mm_andnot_pd(a, b); }  // not a, and b
    static Mask Or(Mask a, Mask b) { return _mm_or_pd(a, b); }
    static Mask AllOnes() { return _mm_castsi128_pd(_mm_set1_epi64x(-1)); }
    static Mask NoLanes() { return _mm_setzero_pd(); }
    static Mask Less(Register a, Register b) { return _mm_cmplt_pd(a, b); }
    static Mask Greater(Register a, Register b) { return _mm_cmpgt_pd(a, b); }
    // a - a is 0 for finite a and NaN for infinities and NaN.
    static Mask IsFinite(Register a) { return _mm_cmpeq_pd(_mm_sub_pd(a, a), _mm_setzero_pd()); }
    static bool Any(Mask mask) { return _mm_movemask_pd(mask) != 0; }
    static int Bits(Mask mask) { return _mm_movemask_pd(mask); }

    static Register Sin(Register a) { return maths::Sin(a); }
    static Register Cos(Register a) { return maths::Cos(a); }
    static Register Tan(Register a) { return maths::Tan(a); }
    static Register Exp(Register a) { return maths::Exp(a); }
    static Register Ln(Register a) { return maths::Ln(a); }
    static Register Pow(Register a, Register b) { return maths::Pow(a, b); }
};

}  // namespace seedscape
