#pragma once

namespace seedscape {

// What a factor formula may read: the step counter and the pixel's quantities.
template <typename V>
struct FactorInputs {
    V n, zr, zi, ci, r1, r2, r3, dn1;
};

// The 25 factor formulas, written once for any value type that carries its
// own failure state (a checked scalar, or a vector of checked lanes). A
// selector outside 1..25 names no formula and gives a failed value.
template <typename V>
V FactorFormula(int selector, const FactorInputs<V>& p) {
    const auto& [n, zr, zi, ci, r1, r2, r3, dn1] = p;
    switch (selector) {
        case 1:
            return V(1.0);
        case 2:
            return Sin(n);
        case 3:
            return Sin(n * dn1);
        case 4:
            return Sin(n / dn1);
        case 5:
            return Sin(n + dn1);
        case 6:
            return Sin(n + zi);
        case 7:
            return Sin(n + zr);
        case 8:
            return Sin(n + ci);
        case 9:
            return Sin(n + ci);
        case 10:
            return Ln(n / dn1);
        case 11:
            return Sin(n / r1);
        case 12:
            return Sin(Tan(n));
        case 13:
            return Sin(Cos(Tan(n)));
        case 14:
            return Sin(Cos(Tan(Ln(n))));
        case 15:
            return Cos(dn1 / n);
        case 16:
            return Cos(n);
        case 17:
            return Ln(n);
        case 18:
            return Sin(n * r1);
        case 19:
            return Sin(n * r1 * r2);
        case 20:
            return Sin(n * r1 * r2 * r3);
        case 21:
            return Sin(n * r1 / r2);
        case 22:
            return Sin(n * r1 / r2 / r3);
        case 23:
            return Sin(r1 / r2 / r3);
        case 24:
            return Sin(r1 / n);
        case 25:
            return Sin(r1 * dn1);
        default:
            return V(__builtin_nan(""));  // no library call: this is built for AVX too
    }
}

// How a factor formula varies, which decides how often it must be computed.
enum class FactorDependence {
    kStep,   // on n and on the pixel
    kTable,  // on n and the image's parameters only: the same for every pixel
    kPixel,  // on the pixel only: the same for every step
};

constexpr FactorDependence DependenceOf(int selector) {
    switch (selector) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 10:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
            return FactorDependence::kTable;
        case 23:
        case 25:
            return FactorDependence::kPixel;
        default:
            return FactorDependence::kStep;
    }
}

}  // namespace seedscape
