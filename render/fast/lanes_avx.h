#pragma once

// Only for the translation unit built with -mavx: nothing here may be used
// where the processor has not been checked for AVX.
#include <immintrin.h>

#include "maths/maths_avx.h"

namespace seedscape {

// Four doubles per register.
struct AvxOps {
    using Register = __m256d;
    // A lane's mask is all ones or all zeros in the lane itself.
    using Mask = __m256d;
    static constexpr int kWidth = 4;

    static Register Broadcast(double a) { return _mm256_set1_pd(a); }
    static Register Load(const double* p) { return _mm256_load_pd(p); }
    static Register LoadUnaligned(const double* p) { return _mm256_loadu_pd(p); }
    static void Store(double* p, Register a) { _mm256_store_pd(p, a); }
    static void StoreUnaligned(double* p, Register a) { _mm256_storeu_pd(p, a); }
    static Register Add(Register a, Register b) { return _mm256_add_pd(a, b); }
    static Register Sub(Register a, Register b) { return _mm256_sub_pd(a, b); }
    static Register Mul(Register a, Register b) { return _mm256_mul_pd(a, b); }
    static Register Div(Register a, Register b) { return _mm256_div_pd(a, b); }
    static Register Sqrt(Register a) { return _mm256_sqrt_pd(a); }
    static Register Abs(Register a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    // Where mask is set take a, elsewhere b. Written out: with AVX alone,
    // GCC turns the blendv intrinsic into a branch per lane when the mask is
    // a combination of comparisons.
    static Register Select(Mask mask, Register a, Register b) {
        Register result;
        asm("vblendvpd %3, %2, %1, %0" : "=x"(result) : "x"(b), "x"(a), "x"(mask));
        return result;
    }
    // a + b where mask is set, a elsewhere (a + 0 is a, as a is never -0 here).
    static Register AddWhere(Mask mask, Register a, Register b) {
        return _mm256_add_pd(a, _mm256_and_pd(mask, b));
    }

    static Mask And(Mask a, Mask b) { return _mm256_and_pd(a, b); }
    static Mask AndNot(Mask a, Mask b) { return _mm256_andnot_pd(a, b); }  // not a, and b
    static Mask Or(Mask a, Mask b) { return _mm256_or_pd(a, b); }
    static Mask AllOnes() { return _mm256_castsi256_pd(_mm256_set1_epi64x(-1)); }
    static Mask NoLanes() { return _mm256_setzero_pd(); }
    static Mask Less(Register a, Register b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static Mask Greater(Register a, Register b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
    static Mask IsFinite(Register a) {
        return _mm256_cmp_pd(_mm256_sub_pd(a, a), _mm256_setzero_pd(), _CMP_EQ_OQ);
    }
    static bool Any(Mask mask) { return _mm256_movemask_pd(mask) != 0; }
    static int Bits(Mask mask) { return _mm256_movemask_pd(mask); }

    static Register Sin(Register a) { return maths::Sin(a); }
    static Register Cos(Register a) { return maths::Cos(a); }
    static Register Tan(Register a) { return maths::Tan(a); }
    static Register Exp(Register a) { return maths::Exp(a); }
    static Register Ln(Register a) { return maths::Ln(a); }
    static Register Pow(Register a, Register b) { return maths::Pow(a, b); }
};

}  // namespace seedscape
