#include "render/iterate_formula.h"

#include "render/checked.h"
#include "render/factor_formulas.h"

namespace seedscape {

bool ComputeFactor(ImageState& state) {
    const ImageState& s = state;
    // Selectors are whole numbers; they are used rounded half to even.
    const double selector = maths::RoundHalfEven(s.fak00);
    const FactorInputs<Checked> inputs{s.n, s.zr, s.zi, s.ci, s.r1, s.r2, s.r3, double(s.dn1)};
    return Assign(
        state.fak,
        FactorFormula(selector >= 1 && selector <= 25 ? static_cast<int>(selector) : 0, inputs));
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
        ComputeFactor(state);  // when it fails, fak keeps the previous factor
        Assign(state.zi, Checked(2.0) * zi * zr + Checked(state.fak) * state.ci);
        state.fak00 = state.fak02;
        ComputeFactor(state);  // sees the new zi and the old zr
        Assign(state.zr, (Checked(state.zr2) - state.zi2) + Checked(state.fak) * state.cr);
        state.n = state.n + 1;
    }
}

}  // namespace seedscape
