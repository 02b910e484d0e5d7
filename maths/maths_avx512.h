#pragma once

// The maths module's eight-lane forms, for code built with -mavx512f only:
// nothing here may run where the processor has not been checked for
// AVX-512F. They give every lane the same bits as the scalar functions in
// maths.h.
#include <immintrin.h>
#include <sleef.h>

// SLEEF's header does not tell the compiler that these functions read
// nothing but their arguments (and tables that never change). Told here, it
// computes a call repeated within a formula once, as the same arguments give
// the same bits.
extern "C" {
const __m512d Sleef_cinz_sind8_u10avx512fnofma(__m512d) __attribute__((const));
const __m512d Sleef_cinz_cosd8_u10avx512fnofma(__m512d) __attribute__((const));
const __m512d Sleef_cinz_tand8_u10avx512fnofma(__m512d) __attribute__((const));
const __m512d Sleef_cinz_expd8_u10avx512fnofma(__m512d) __attribute__((const));
const __m512d Sleef_cinz_logd8_u10avx512fnofma(__m512d) __attribute__((const));
const __m512d Sleef_cinz_powd8_u10avx512fnofma(__m512d, __m512d) __attribute__((const));
}

namespace seedscape::maths {

inline __m512d Sin(__m512d a) {
    return Sleef_cinz_sind8_u10avx512fnofma(a);
}
inline __m512d Cos(__m512d a) {
    return Sleef_cinz_cosd8_u10avx512fnofma(a);
}
inline __m512d Tan(__m512d a) {
    return Sleef_cinz_tand8_u10avx512fnofma(a);
}
inline __m512d Exp(__m512d a) {
    return Sleef_cinz_expd8_u10avx512fnofma(a);
}
inline __m512d Ln(__m512d a) {
    return Sleef_cinz_logd8_u10avx512fnofma(a);
}
inline __m512d Pow(__m512d base, __m512d exponent) {
    return Sleef_cinz_powd8_u10avx512fnofma(base, exponent);
}

}  // namespace seedscape::maths
