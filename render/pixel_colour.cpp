#include "render/pixel_colour.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "render/checked.h"

namespace seedscape {

namespace {

// The pixel's quantities, read once from the record.
struct In {
    Checked n, zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j;
    std::int32_t whole_n;
};

In Read(const ImageState& s) {
    return {s.n,  s.zr, s.zi, s.cr, s.ci, s.r1, s.r2, s.r3, static_cast<double>(s.dn1),
            static_cast<double>(s.dn2), static_cast<double>(s.dn3), s.i, s.j, s.n};
}

// n * n as a 32-bit integer product; a product beyond 32 bits is an overflow.
Checked IntegerSquare(std::int32_t n) {
    const std::int64_t square = static_cast<std::int64_t>(n) * n;
    if (square > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(square);
}

// Assigns re, then gr, then bl, stopping at the first that failed. The three
// right-hand sides are passed as callables so that a later one is not even
// evaluated (or needed) once an earlier one has failed.
template <typename Re, typename Gr, typename Bl>
bool Channels(ImageState& s, Re re, Gr gr, Bl bl) {
    return Assign(s.re, re()) && Assign(s.gr, gr()) && Assign(s.bl, bl());
}

bool Scheme(int scheme, const In& p, ImageState& s) {
    const auto& [n, zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j, whole_n] = p;
    const Checked one = 1.0;
    Checked w = 0.0;
    switch (scheme) {
        case 1:
            return Channels(
                s, [&] { return Mod(n * dn1, 255.0); }, [&] { return Mod(n * dn2, 255.0); },
                [&] { return Mod(n * dn3, 255.0); });
        case 2:
            return Channels(
                s, [&] { return Abs(n * dn1 * cr) / Abs(Sin(r1)) + (r1 + r2); },
                [&] { return Abs(n * dn2 * cr) / Abs(Sin(r2)) + (r2 + r3); },
                [&] { return Abs(n * dn3 * cr) / Abs(Sin(r3)) + (r3 + r1); });
        case 3:
            return Channels(
                s, [&] { return n * Ln(Abs(zr * zi) + dn1); },
                [&] { return n * Ln(Abs(zi * ci) + dn2); },
                [&] { return n * Ln(Abs(ci * zr) + dn3); });
        case 4:
            return Channels(
                s, [&] { return n * Ln(Abs(zr * zi) + dn1) / r1; },
                [&] { return n * Ln(Abs(zi * ci) + dn2) / r2; },
                [&] { return n * r2 / r3 + dn2 * zr + dn2 * zi; });
        case 5:
            return Channels(
                s, [&] { return n * dn1 / r1; }, [&] { return n * dn2 / r2; },
                [&] { return n * dn3 / r3; });
        case 6:
            return Channels(
                s, [&] { return n * r1 / r2 + dn1 * zi + dn1 * cr; },
                [&] { return n * r2 / r3 + dn2 * zr + dn2 * zi; },
                [&] { return n * r3 / r1 + dn3 * ci + dn3 * zr; });
        case 7:
            return Channels(
                s, [&] { return n * Ln(Abs(n * r1 * r2)) + r2 * Abs(Sin(zr)); },
                [&] { return n * Ln(Abs(n * r2 * r3)) + r3 * Abs(Cos(zi)); },
                [&] { return n * Ln(Abs(n * r3 * r1)) + r1 * Abs(Sin(zi)); });
        case 8:
            return Channels(
                s, [&] { return n * Ln(one + Pow(r1, dn1)) + r1 * dn1; },
                [&] { return n * Ln(one + Pow(r2, dn2)) + r2 * dn2; },
                [&] { return n * Ln(one + Pow(r3, dn3)) + r3 * dn3; });
        case 9:
            return Channels(
                s, [&] { return (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n); },
                [&] { return (n * Ln(one + Pow(r2, dn2)) + dn2 * r2 * Cos(r2)) * Ln(n); },
                [&] { return (n * Ln(one + Pow(r3, dn3)) + dn3 * r3 * Sin(r3)) * Ln(n); });
        case 10:
            return Channels(
                s, [&] { return (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n); },
                [&] { return n * r2 / r3 + dn2 * zr + dn2 * zi; },
                [&] { return Abs(n * dn3 * cr) / Abs(Sin(r3)) + (r3 + r1) * cr * zr; });
        case 11:
            w = n * (cr * Sin(zr) + zr * Sin(cr) + ci * Cos(zi) + zi * Cos(ci));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * Ln(dn1 * r1); }, [&] { return w * Ln(dn2 * r2); },
                [&] { return w * Ln(dn3 * r3); });
        case 12:
            w = n * (cr * Sin(zr) + zr * Sin(cr) + ci * Cos(zi) + zi * Cos(ci));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w + (n * Ln(one + Pow(r1, dn1)) + dn1 * r1 * Sin(r1)) * Ln(n); },
                [&] { return w + (n * Ln(one + Pow(r2, dn2)) + dn2 * r2 * Cos(r2)) * Ln(n); },
                [&] { return w + (n * Ln(one + Pow(r3, dn3)) + dn3 * r3 * Sin(r3)) * Ln(n); });
        case 13:
            w = Pow(n * (r1 * Sin(zi) + r2 * Sin(zr) + r3 * Cos(ci) + r2 * Cos(zi)), r1 / r2);
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1 / r2 + dn1 * zi + dn1 * cr; },
                [&] { return w * r2 / r3 + dn2 * zr + dn2 * zi; },
                [&] { return w * r3 / r1 + dn3 * ci + dn3 * zr; });
        case 14:
            w = Ln(Pow(n, Sin(r1) + 3.0) + zr * Sin(ci)) * zi;
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return Pow(w, Abs(r1 - r2)) * dn1; },
                [&] { return Pow(w, Abs(r2 - r3)) * dn2; },
                [&] { return Pow(w, Abs(r3 - r1)) * dn3; });
        case 15:
            w = Sqrt(n * (n - zr) * (n - zi));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1; }, [&] { return w * r2; }, [&] { return w * r3; });
        case 16:
            w = Sqrt(Pow(n, Sqrt(r1 + r2) * Pow(r3, Ln(r1 * r2 * r3))));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1 * r2; }, [&] { return w * r2 * r3; },
                [&] { return w * r3 * r1; });
        case 17:
            w = Ln(Abs(Pow(zr + r1 + r2 + r3, Sin(r1) + Sin(r2) + Sin(r3)))) * n * (ci * ci);
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1; }, [&] { return w * r2; }, [&] { return w * r3; });
        case 18:
            w = n * Sqrt(i + j + n) / Exp(r1);
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * (r1 * Sin(r1)); }, [&] { return w * (r2 * Sin(r2)); },
                [&] { return w * (r3 * Sin(r3)); });
        case 19:
            w = n * (n + zr * Sin(cr)) + (n + zi * Sin(zi));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1; }, [&] { return w * r2; }, [&] { return w * r3; });
        case 20:
            w = n * (n + zr * Sin(cr)) + (n + zi * Sin(zi));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1 * Sin(r1) + Ln(n * dn1) * zr; },
                [&] { return w * r2 * Sin(r2) + Ln(n * dn2) * zi; },
                [&] { return w * r3 * Sin(r3) + Ln(n * dn3) * cr; });
        case 21:
            w = n * (n + zr * Sin(cr)) + Pow(n + zi * Sin(zi), Ln(r1 + r2));
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return Pow(Pow(w / r1, Ln(r2 + r3)), Ln(r1 + r2)); },
                [&] { return Pow(Pow(w / r2, Ln(r1 + r3)), Ln(r2 + r3)); },
                [&] { return Pow(Pow(w / r3, Ln(r1 + r2)), Ln(r3 + r1)); });
        case 22:
            w = IntegerSquare(whole_n) * Ln(n) * Sin(r1);
            if (!w.ok()) return false;
            return Channels(
                s, [&] { return w * r1 * Sin(r1) + Ln(n * dn1) * zr; },
                [&] { return w * r2 * Sin(r2) + Ln(n * dn2) * zi; },
                [&] { return w * r3 * Sin(r3) + Ln(n * dn3) * cr; });
        default:
            return false;
    }
}

}  // namespace

int SelectScheme(double barva) {
    const double s = maths::RoundHalfEven(barva);
    if (s >= 1 && s <= 22) return static_cast<int>(s);
    if (s == 0 || (s >= 23 && s <= 255)) return 1;
    return 0;
}

bool ComputePixelColour(ImageState& state) {
    return Scheme(SelectScheme(state.barva), Read(state), state);
}

}  // namespace seedscape
