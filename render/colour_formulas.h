#pragma once

namespace seedscape {

// What a colour scheme may read about one pixel. `n_squared` is n * n taken
// as a 32-bit integer product (failed if it would not fit).
template <typename V>
struct PixelQuantities {
    V n, zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j, n_squared;
};

// The right-hand sides of one scheme's statements, in the order they run:
// w (1 where the scheme has none), re, gr, bl. The formulas are pure, so
// computing all of them and then assigning until the first failure is the
// same as running the statements one by one.
template <typename V>
struct SchemeStatements {
    V w, re, gr, bl;
};

// The 22 colour schemes, written once for any value type that carries its own
// failure state. Scheme 0 names none and fails before any channel.
template <typename V>
SchemeStatements<V> ColourScheme(int scheme, const PixelQuantities<V>& p) {
    const auto& [n, zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j, n_squared] = p;
    const V one(1.0);
    V w(1.0);
    switch (scheme) {
        case 1:
            return {w, Mod(n * dn1, V(255.0)), Mod(n * dn2, V(255.0)), Mod(n * dn3, V(255.0))};
        case 2:
            return {w, Abs(n * dn1 * cr) / Abs(Sin(r1)) + (r1 + r2),
                    Abs(n * dn2 * cr) / Abs(Sin(r2)) + (r2 + r3),
                    Abs(n * dn3 * cr) / Abs(Sin(r3)) + (r3 + r1)};
        case 3:
            return {w, n * Ln(Abs(zr * zi) + dn1), n * Ln(Abs(zi * ci) + dn2),
                    n * Ln(Abs(ci * zr) + dn3)};
        case 4:
            // Blue reads dn2, r2 and r3 on purpose: it is scheme 6's green.
            return {w, n * Ln(Abs(zr * zi) + dn1) / r1, n * Ln(Abs(zi * ci) + dn2) / r2,
                    n * r2 / r3 + dn2 * zr + dn2 * zi};
        case 5:
            return {w, n * dn1 / r1, n * dn2 / r2, n * dn3 / r3};
        case 6:
            return {w, n * r1 / r2 + dn1 * zi + dn1 * cr, n * r2 / r3 + dn2 * zr + dn2 * zi,
                    n * r3 / r1 + dn3 * ci + dn3 * zr};
        case 7:
            return {w, n * Ln(Abs(n * r1 * r2)) + r2 * Abs(Sin(zr)),
                    n * Ln(Abs(n * r2 * r3)) + r3 * Abs(Cos(zi)),
                    n * Ln(Abs(n * r3 * r1)) + r1 * Abs(Sin(zi))};
        case 8:
            return {w, n * Ln(one + Pow(r1, dn1)) + r1 * dn1, n * Ln(one + Pow(r2, dn2)) + r2 * dn2,
                    n * Ln(one + Pow(r3, dn3)) + r3 * dn3};
        case 9:
            return {w, (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n),
                    (n * Ln(one + Pow(r2, dn2)) + dn2 * r2 * Cos(r2)) * Ln(n),
                    (n * Ln(one + Pow(r3, dn3)) + dn3 * r3 * Sin(r3)) * Ln(n)};
        case 10:
            return {w, (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n),
                    n * r2 / r3 + dn2 * zr + dn2 * zi,
                    Abs(n * dn3 * cr) / Abs(Sin(r3)) + (r3 + r1) * cr * zr};
        case 11:
            w = n * (cr * Sin(zr) + zr * Sin(cr) + ci * Cos(zi) + zi * Cos(ci));
            return {w, w * Ln(dn1 * r1), w * Ln(dn2 * r2), w * Ln(dn3 * r3)};
        case 12:
            w = n * (cr * Sin(zr) + zr * Sin(cr) + ci * Cos(zi) + zi * Cos(ci));
            return {w, w + (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n),
                    w + (n * Ln(one + Pow(r2, dn2)) + dn2 * r2 * Cos(r2)) * Ln(n),
                    w + (n * Ln(one + Pow(r3, dn3)) + dn3 * r3 * Sin(r3)) * Ln(n)};
        case 13:
            w = Pow(n * (r1 * Sin(zi) + r2 * Sin(zr) + r3 * Cos(ci) + r2 * Cos(zi)), r1 / r2);
            return {w, w * r1 / r2 + dn1 * zi + dn1 * cr, w * r2 / r3 + dn2 * zr + dn2 * zi,
                    w * r3 / r1 + dn3 * ci + dn3 * zr};
        case 14:
            w = Ln(Pow(n, Sin(r1) + V(3.0)) + zr * Sin(ci)) * zi;
            return {w, Pow(w, Abs(r1 - r2)) * dn1, Pow(w, Abs(r2 - r3)) * dn2,
                    Pow(w, Abs(r3 - r1)) * dn3};
        case 15:
            w = Sqrt(n * (n - zr) * (n - zi));
            return {w, w * r1, w * r2, w * r3};
        case 16:
            w = Sqrt(Pow(n, Sqrt(r1 + r2) * Pow(r3, Ln(r1 * r2 * r3))));
            return {w, w * r1 * r2, w * r2 * r3, w * r3 * r1};
        case 17:
            w = Ln(Abs(Pow(zr + r1 + r2 + r3, Sin(r1) + Sin(r2) + Sin(r3)))) * n * (ci * ci);
            return {w, w * r1, w * r2, w * r3};
        case 18:
            w = n * Sqrt(i + j + n) / Exp(r1);
            return {w, w * (r1 * Sin(r1)), w * (r2 * Sin(r2)), w * (r3 * Sin(r3))};
        case 19:
            w = n * (n + zr * Sin(cr)) + (n + zi * Sin(zi));
            return {w, w * r1, w * r2, w * r3};
        case 20:
            w = n * (n + zr * Sin(cr)) + (n + zi * Sin(zi));
            return {w, w * r1 * Sin(r1) + Ln(n * dn1) * zr, w * r2 * Sin(r2) + Ln(n * dn2) * zi,
                    w * r3 * Sin(r3) + Ln(n * dn3) * cr};
        case 21:
            w = n * (n + zr * Sin(cr)) + Pow(n + zi * Sin(zi), Ln(r1 + r2));
            return {w, Pow(Pow(w / r1, Ln(r2 + r3)), Ln(r1 + r2)),
                    Pow(Pow(w / r2, Ln(r1 + r3)), Ln(r2 + r3)),
                    Pow(Pow(w / r3, Ln(r1 + r2)), Ln(r3 + r1))};
        case 22:
            w = n_squared * Ln(n) * Sin(r1);
            return {w, w * r1 * Sin(r1) + Ln(n * dn1) * zr, w * r2 * Sin(r2) + Ln(n * dn2) * zi,
                    w * r3 * Sin(r3) + Ln(n * dn3) * cr};
        default: {
            const V failed = V(0.0) / V(0.0);
            return {failed, failed, failed, failed};
        }
    }
}

}  // namespace seedscape
