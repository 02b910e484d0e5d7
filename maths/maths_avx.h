#pragma once

// The maths module's four-lane forms, for code built with -mavx only: nothing
// here may run where the processor has not been checked for AVX. They give
// every lane the same bits as the scalar functions in maths.h.
#include <immintrin.h>
#include <sleef.h>

// Read nothing but their arguments, as maths_avx512.h tells the compiler.
extern "C" {
const __m256d Sleef_cinz_sind4_u10avx(__m256d) __attribute__((const));
const __m256d Sleef_cinz_cosd4_u10avx(__m256d) __attribute__((const));
const __m256d Sleef_cinz_tand4_u10avx(__m256d) __attribute__((const));
const __m256d Sleef_cinz_expd4_u10avx(__m256d) __attribute__((const));
const __m256d Sleef_cinz_logd4_u10avx(__m256d) __attribute__((const));
const __m256d Sleef_cinz_powd4_u10avx(__m256d, __m256d) __attribute__((const));
}

namespace seedscape::maths {

inline __m256d Sin(__m256d a) {
    return Sleef_cinz_sind4_u10avx(a);
}
inline __m256d Cos(__m256d a) {
    return Sleef_cinz_cosd4_u10avx(a);
}
inline __m256d Tan(__m256d a) {
    return Sleef_cinz_tand4_u10avx(a);
}
inline __m256d Exp(__m256d a) {
    return Sleef_cinz_expd4_u10avx(a);
}
inline __m256d Ln(__m256d a) {
    return Sleef_cinz_logd4_u10avx(a);
}
inline __m256d Pow(__m256d base, __m256d exponent) {
    return Sleef_cinz_powd4_u10avx(base, exponent);
}

}  // namespace seedscape::maths
