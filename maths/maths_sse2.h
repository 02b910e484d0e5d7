#pragma once

// The maths module's two-lane forms: SLEEF's deterministic SSE2 functions,
// which give every lane the same bits as the scalar functions in maths.h.
#include <emmintrin.h>
#include <sleef.h>

// Read nothing but their arguments, as maths_avx512.h tells the compiler.
extern "C" {
const __m128d Sleef_cinz_sind2_u10sse2(__m128d) __attribute__((const));
const __m128d Sleef_cinz_cosd2_u10sse2(__m128d) __attribute__((const));
const __m128d Sleef_cinz_tand2_u10sse2(__m128d) __attribute__((const));
const __m128d Sleef_cinz_expd2_u10sse2(__m128d) __attribute__((const));
const __m128d Sleef_cinz_logd2_u10sse2(__m128d) __attribute__((const));
const __m128d Sleef_cinz_powd2_u10sse2(__m128d, __m128d) __attribute__((const));
}

namespace seedscape::maths {

inline __m128d Sin(__m128d a) {
    return Sleef_cinz_sind2_u10sse2(a);
}
inline __m128d Cos(__m128d a) {
    return Sleef_cinz_cosd2_u10sse2(a);
}
inline __m128d Tan(__m128d a) {
    return Sleef_cinz_tand2_u10sse2(a);
}
inline __m128d Exp(__m128d a) {
    return Sleef_cinz_expd2_u10sse2(a);
}
inline __m128d Ln(__m128d a) {
    return Sleef_cinz_logd2_u10sse2(a);
}
inline __m128d Pow(__m128d base, __m128d exponent) {
    return Sleef_cinz_powd2_u10sse2(base, exponent);
}

}  // namespace seedscape::maths
