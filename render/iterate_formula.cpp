#include "render/iterate_formula.h"

#include "render/checked.h"

namespace seedscape {

namespace {

Checked FactorFormula(int selector, const ImageState& s, bool& known) {
    const Checked n = s.n;
    const Checked dn1 = static_cast<double>(s.dn1);
    const Checked r1 = s.r1, r2 = s.r2, r3 = s.r3;
    known = true;
    switch (selector) {
        case 1: return 1.0;
        case 2: return Sin(n);
        case 3: return Sin(n * dn1);
        case 4: return Sin(n / dn1);
        case 5: return Sin(n + dn1);
        case 6: return Sin(n + s.zi);
        case 7: return Sin(n + s.zr);
        case 8: return Sin(n + s.ci);
        case 9: return Sin(n + s.ci);
        case 10: return Ln(n / dn1);
        case 11: return Sin(n / r1);
        case 12: return Sin(Tan(n));
        case 13: return Sin(Cos(Tan(n)));
        case 14: return Sin(Cos(Tan(Ln(n))));
        case 15: return Cos(dn1 / n);
        case 16: return Cos(n);
        case 17: return Ln(n);
        case 18: return Sin(n * r1);
        case 19: return Sin(n * r1 * r2);
        case 20: return Sin(n * r1 * r2 * r3);
        case 21: return Sin(n * r1 / r2);
        case 22: return Sin(n * r1 / r2 / r3);
        case 23: return Sin(r1 / r2 / r3);
        case 24: return Sin(r1 / n);
        case 25: return Sin(r1 * dn1);
        default: known = false; return 0.0;
    }
}

}  // namespace

bool ComputeFactor(ImageState& state) {
    // Selectors are whole numbers; they are used rounded half to even.
    const double selector = maths::RoundHalfEven(state.fak00);
    bool known = false;
    const Checked fak = FactorFormula(selector >= 1 && selector <= 25 ? static_cast<int>(selector) : 0,
                                      state, known);
    return known && Assign(state.fak, fak);
}

void IterateFormula(ImageState& state) {
    // The test reads the squares stored at the start of the previous step, so
    // one more step runs after the point has left the disc of radius 2.
    while (state.n < 100 && state.zr2 + state.zi2 < 4) {
        const Checked zr = state.zr;
        const Checked zi = state.zi;
        Assign(state.zr2, zr * zr);
        Assign(state.zi2, zi * zi);
        state.fak00 = state.fak01;
        ComputeFactor(state);
        Assign(state.zi, Checked(2.0) * zi * zr + Checked(state.fak) * state.ci);
        state.fak00 = state.fak02;
        ComputeFactor(state);  // sees the new zi and the old zr
        Assign(state.zr, (Checked(state.zr2) - state.zi2) + Checked(state.fak) * state.cr);
        state.n = state.n + 1;
    }
}

}  // namespace seedscape
