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
        case 9:  // repeats 8 on purpose: two selectors name the same formula
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

// How a factor formula varies, which decides how often the fast pass must
// compute it.
enum class FactorDependence {
    kStep,   // on n and on the pixel's orbit or distances: every step of every pixel
    kTable,  // on n and the image's parameters only: the same for every pixel
    kRow,    // on n and ci only: the same along a row of the image
    kPixel,  // on the pixel only: the same for every step
};

// Everything the render passes need to know about a factor formula besides
// its value. A formula that may fail divides by a distance, which is 0 where
// a reference point lies on the pixel's plane point; one that reads zi gives
// the step's second factor another value than its first, because zi changes
// between the two.
struct FactorProperties {
    FactorDependence dependence;
    bool may_fail;
    bool reads_zi;
};

inline constexpr FactorProperties kFactorProperties[26] = {
    {FactorDependence::kStep, true, false},    // 0: names no formula, always fails
    {FactorDependence::kTable, false, false},  // 1
    {FactorDependence::kTable, false, false},  // 2
    {FactorDependence::kTable, false, false},  // 3
    {FactorDependence::kTable, false, false},  // 4
    {FactorDependence::kTable, false, false},  // 5
    {FactorDependence::kStep, false, true},    // 6: sin(n + zi)
    {FactorDependence::kStep, false, false},   // 7: sin(n + zr)
    {FactorDependence::kRow, false, false},    // 8: sin(n + ci)
    {FactorDependence::kRow, false, false},    // 9: the same formula as 8
    {FactorDependence::kTable, false, false},  // 10
    {FactorDependence::kStep, true, false},    // 11: divides by r1
    {FactorDependence::kTable, false, false},  // 12
    {FactorDependence::kTable, false, false},  // 13
    {FactorDependence::kTable, false, false},  // 14
    {FactorDependence::kTable, false, false},  // 15
    {FactorDependence::kTable, false, false},  // 16
    {FactorDependence::kTable, false, false},  // 17
    {FactorDependence::kStep, false, false},   // 18
    {FactorDependence::kStep, false, false},   // 19
    {FactorDependence::kStep, false, false},   // 20
    {FactorDependence::kStep, true, false},    // 21: divides by r2
    {FactorDependence::kStep, true, false},    // 22: divides by r2 and r3
    {FactorDependence::kPixel, true, false},   // 23: divides by r2 and r3
    {FactorDependence::kStep, false, false},   // 24
    {FactorDependence::kPixel, false, false},  // 25
};

// The formula a selector names: 1 to 25, or 0 for none.
constexpr const FactorProperties& PropertiesOf(int selector) {
    return kFactorProperties[selector >= 1 && selector <= 25 ? selector : 0];
}

}  // namespace seedscape
