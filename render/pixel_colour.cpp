#include "render/pixel_colour.h"

#include <cstdint>
#include <limits>

#include "render/checked.h"
#include "render/colour_formulas.h"

namespace seedscape {

int SelectScheme(double barva) {
    const double s = maths::RoundHalfEven(barva);
    if (s >= 1 && s <= 22) return static_cast<int>(s);
    if (s == 0 || (s >= 23 && s <= 255)) return 1;
    return 0;
}

Checked IntegerSquare(std::int32_t n) {
    const std::int64_t square = static_cast<std::int64_t>(n) * n;
    if (square > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<double>::infinity();  // an overflow fails like one
    }
    return static_cast<double>(square);
}

bool ComputePixelColour(ImageState& state) {
    const ImageState& s = state;
    const PixelQuantities<Checked> pixel{
        s.n,  s.zr,          s.zi,          s.cr,          s.ci, s.r1, s.r2,
        s.r3, double(s.dn1), double(s.dn2), double(s.dn3), s.i,  s.j,  IntegerSquare(s.n)};
    const SchemeStatements<Checked> statements = ColourScheme(SelectScheme(state.barva), pixel);
    return statements.w.ok() && Assign(state.re, statements.re) &&
           Assign(state.gr, statements.gr) && Assign(state.bl, statements.bl);
}

}  // namespace seedscape
