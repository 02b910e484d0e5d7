#pragma once

#include <sleef.h>

#include <cmath>

// The program's only door to transcendental functions. C libraries differ in
// the last bits of sin or pow from system to system, and an escape-time image
// turns such bits into different pixels; SLEEF's deterministic functions give
// the same bits everywhere, in their scalar and vector forms alike.
namespace seedscape::maths {

// Always inlined: files built for wider instruction sets use these too, and
// an out-of-line copy built with AVX could be the one the linker keeps for
// the whole program.

[[gnu::always_inline]] inline double Sin(double a) {
    return Sleef_cinz_sind1_u10purec(a);
}
[[gnu::always_inline]] inline double Cos(double a) {
    return Sleef_cinz_cosd1_u10purec(a);
}
[[gnu::always_inline]] inline double Tan(double a) {
    return Sleef_cinz_tand1_u10purec(a);
}
[[gnu::always_inline]] inline double Exp(double a) {
    return Sleef_cinz_expd1_u10purec(a);
}
[[gnu::always_inline]] inline double Ln(double a) {
    return Sleef_cinz_logd1_u10purec(a);
}
[[gnu::always_inline]] inline double Pow(double base, double exponent) {
    return Sleef_cinz_powd1_u10purec(base, exponent);
}
// Square roots are correctly rounded in hardware, so they need no library.
[[gnu::always_inline]] inline double Sqrt(double a) {
    return std::sqrt(a);
}

// Conversion to an integer: the nearest one, ties to even (the default
// rounding mode, which the program never changes).
[[gnu::always_inline]] inline double RoundHalfEven(double a) {
    return std::rint(a);
}

}  // namespace seedscape::maths
