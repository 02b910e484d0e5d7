#include "render/pixel_colour.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "maths/maths.h"
#include "test_support.h"

namespace seedscape {
namespace {

using testing::RowName;

double S(double a) {
    return maths::Sin(a);
}
double C(double a) {
    return maths::Cos(a);
}
double L(double a) {
    return maths::Ln(a);
}
double P(double base, double exponent) {
    return maths::Pow(base, exponent);
}
double Q(double a) {
    return maths::Sqrt(a);
}
double E(double a) {
    return maths::Exp(a);
}
double A(double a) {
    return std::fabs(a);
}

// What the colour formulas read of one pixel.
struct Pixel {
    int n;
    double zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j;
};

using Channels = std::array<double, 3>;

// The schemes as formulas over the pixel, written out independently: products
// and quotients left to right, ^ before them, parentheses as given.
Channels Formula(int scheme, const Pixel& p) {
    const double n = p.n, zr = p.zr, zi = p.zi, cr = p.cr, ci = p.ci;
    const double r1 = p.r1, r2 = p.r2, r3 = p.r3, dn1 = p.dn1, dn2 = p.dn2, dn3 = p.dn3;
    const auto family9 = [&](double r, double dn, double trig) {
        return (n * L(1 + P(r, dn)) + dn * r * trig) * L(n);
    };
    const double w11 = n * (cr * S(zr) + zr * S(cr) + ci * C(zi) + zi * C(ci));
    const double w19 = n * (n + zr * S(cr)) + (n + zi * S(zi));
    switch (scheme) {
        case 1: {
            const auto mod255 = [&](double dn) {
                return static_cast<double>(p.n * static_cast<int>(dn) % 255);
            };
            return {mod255(dn1), mod255(dn2), mod255(dn3)};
        }
        case 2:
            return {A(n * dn1 * cr) / A(S(r1)) + (r1 + r2), A(n * dn2 * cr) / A(S(r2)) + (r2 + r3),
                    A(n * dn3 * cr) / A(S(r3)) + (r3 + r1)};
        case 3:
            return {n * L(A(zr * zi) + dn1), n * L(A(zi * ci) + dn2), n * L(A(ci * zr) + dn3)};
        case 4:
            return {n * L(A(zr * zi) + dn1) / r1, n * L(A(zi * ci) + dn2) / r2,
                    n * r2 / r3 + dn2 * zr + dn2 * zi};
        case 5:
            return {n * dn1 / r1, n * dn2 / r2, n * dn3 / r3};
        case 6:
            return {n * r1 / r2 + dn1 * zi + dn1 * cr, n * r2 / r3 + dn2 * zr + dn2 * zi,
                    n * r3 / r1 + dn3 * ci + dn3 * zr};
        case 7:
            return {n * L(A(n * r1 * r2)) + r2 * A(S(zr)), n * L(A(n * r2 * r3)) + r3 * A(C(zi)),
                    n * L(A(n * r3 * r1)) + r1 * A(S(zi))};
        case 8:
            return {n * L(1 + P(r1, dn1)) + r1 * dn1, n * L(1 + P(r2, dn2)) + r2 * dn2,
                    n * L(1 + P(r3, dn3)) + r3 * dn3};
        case 9:
            return {family9(r1, dn1, S(r1)), family9(r2, dn2, C(r2)), family9(r3, dn3, S(r3))};
        case 10:
            return {family9(r1, dn1, S(r1)), n * r2 / r3 + dn2 * zr + dn2 * zi,
                    A(n * dn3 * cr) / A(S(r3)) + (r3 + r1) * cr * zr};
        case 11:
            return {w11 * L(dn1 * r1), w11 * L(dn2 * r2), w11 * L(dn3 * r3)};
        case 12:
            return {w11 + family9(r1, dn1, S(r1)), w11 + family9(r2, dn2, C(r2)),
                    w11 + family9(r3, dn3, S(r3))};
        case 13: {
            const double w = P(n * (r1 * S(zi) + r2 * S(zr) + r3 * C(ci) + r2 * C(zi)), r1 / r2);
            return {w * r1 / r2 + dn1 * zi + dn1 * cr, w * r2 / r3 + dn2 * zr + dn2 * zi,
                    w * r3 / r1 + dn3 * ci + dn3 * zr};
        }
        case 14: {
            const double w = L(P(n, S(r1) + 3) + zr * S(ci)) * zi;
            return {P(w, A(r1 - r2)) * dn1, P(w, A(r2 - r3)) * dn2, P(w, A(r3 - r1)) * dn3};
        }
        case 15: {
            const double w = Q(n * (n - zr) * (n - zi));
            return {w * r1, w * r2, w * r3};
        }
        case 16: {
            const double w = Q(P(n, Q(r1 + r2) * P(r3, L(r1 * r2 * r3))));
            return {w * r1 * r2, w * r2 * r3, w * r3 * r1};
        }
        case 17: {
            const double w = L(A(P(zr + r1 + r2 + r3, S(r1) + S(r2) + S(r3)))) * n * (ci * ci);
            return {w * r1, w * r2, w * r3};
        }
        case 18: {
            const double w = n * Q(p.i + p.j + n) / E(r1);
            return {w * (r1 * S(r1)), w * (r2 * S(r2)), w * (r3 * S(r3))};
        }
        case 19:
            return {w19 * r1, w19 * r2, w19 * r3};
        case 20:
            return {w19 * r1 * S(r1) + L(n * dn1) * zr, w19 * r2 * S(r2) + L(n * dn2) * zi,
                    w19 * r3 * S(r3) + L(n * dn3) * cr};
        case 21: {
            const double w = n * (n + zr * S(cr)) + P(n + zi * S(zi), L(r1 + r2));
            return {P(P(w / r1, L(r2 + r3)), L(r1 + r2)), P(P(w / r2, L(r1 + r3)), L(r2 + r3)),
                    P(P(w / r3, L(r1 + r2)), L(r3 + r1))};
        }
        case 22: {
            const double w = (p.n * p.n) * L(n) * S(r1);
            return {w * r1 * S(r1) + L(n * dn1) * zr, w * r2 * S(r2) + L(n * dn2) * zi,
                    w * r3 * S(r3) + L(n * dn3) * cr};
        }
        default:
            return {NAN, NAN, NAN};
    }
}

// An orbit still near the origin, and one that has escaped.
constexpr Pixel kInside{7, 0.8, 0.6, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34};
constexpr Pixel kEscaped{12, -2.5, -1.9, 1.1, -0.7, 1.6, 0.35, 2.2, 17, 2, 29, 200, 7};

Pixel With(Pixel p, double Pixel::*field, double value) {
    p.*field = value;
    return p;
}

// The channels hold these before every call, so a channel that keeps its
// value is told apart from any the formulas give.
constexpr Channels kBefore{-11.5, 300.25, 1e6};

struct SchemeRow {
    std::string what;
    int scheme;
    Pixel pixel;
    int assigned;                        // channels written before a failure: 0 to 3
    std::optional<Channels> worked_out;  // values worked out by hand, else the formula
};

class Schemes : public ::testing::TestWithParam<SchemeRow> {};

TEST_P(Schemes, WriteTheirChannelsInOrderUntilAStatementFails) {
    const SchemeRow& row = GetParam();
    const Channels formula = row.worked_out.value_or(Formula(row.scheme, row.pixel));
    Channels expected = kBefore;
    for (int k = 0; k < row.assigned; ++k) {
        ASSERT_TRUE(std::isfinite(formula[k])) << "the row expects channel " << k << " to succeed";
        expected[k] = formula[k];
    }

    ImageState s;
    const Pixel& p = row.pixel;
    s.n = p.n;
    s.zr = p.zr;
    s.zi = p.zi;
    s.cr = p.cr;
    s.ci = p.ci;
    s.r1 = p.r1;
    s.r2 = p.r2;
    s.r3 = p.r3;
    s.dn1 = p.dn1;
    s.dn2 = p.dn2;
    s.dn3 = p.dn3;
    s.i = p.i;
    s.j = p.j;
    s.barva = row.scheme;
    s.re = kBefore[0];
    s.gr = kBefore[1];
    s.bl = kBefore[2];

    EXPECT_EQ(ComputePixelColour(s), row.assigned == 3);
    EXPECT_EQ((Channels{s.re, s.gr, s.bl}), expected);
}

SchemeRow Inside(int scheme, const std::string& what) {
    return {"scheme " + std::to_string(scheme) + " " + what + " on an orbit inside",
            scheme,
            kInside,
            3,
            {}};
}
SchemeRow Escaped(int scheme, const std::string& what) {
    return {"scheme " + std::to_string(scheme) + " " + what + " on an escaped orbit",
            scheme,
            kEscaped,
            3,
            {}};
}

INSTANTIATE_TEST_SUITE_P(
    WorkedOut, Schemes,
    ::testing::Values(SchemeRow{"scheme 1 with n 100 and dn1 30 gives red 195",
                                1,
                                {100, 0, 0, 0, 0, 1, 1, 1, 30, 2, 3, 0, 0},
                                3,
                                Channels{195, 200, 45}},
                      SchemeRow{"scheme 1 wraps 255 to 0 instead of saturating",
                                1,
                                {85, 0, 0, 0, 0, 1, 1, 1, 3, 1, 6, 0, 0},
                                3,
                                Channels{0, 85, 0}},
                      SchemeRow{"scheme 1 with n 3 and unit multipliers gives 3",
                                1,
                                {3, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0},
                                3,
                                Channels{3, 3, 3}},
                      SchemeRow{"scheme 8 does not fail when r1 is 0", 8,
                                With(kInside, &Pixel::r1, 0), 3,
                                Channels{0, Formula(8, kInside)[1], Formula(8, kInside)[2]}},
                      SchemeRow{"scheme 22 with r1 0 keeps only the logarithm terms", 22,
                                With(kInside, &Pixel::r1, 0), 3,
                                Channels{L(7 * 3) * 0.8, L(7 * 5) * 0.6, L(7 * 8) * -0.3}}),
    [](const auto& info) { return RowName(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Formulas, Schemes,
    ::testing::Values(
        Inside(2, "divides by sin of a distance"), Escaped(2, "divides by sin of a distance"),
        Inside(3, "takes logarithms of orbit products"),
        Escaped(3, "takes logarithms of orbit products"),
        Inside(4, "borrows the sixth schemes green for blue"),
        Escaped(4, "borrows the sixth schemes green for blue"),
        Inside(5, "divides n dn by the distances"), Escaped(5, "divides n dn by the distances"),
        Inside(6, "mixes distance ratios and the orbit"),
        Escaped(6, "gives a negative green unclamped"), Inside(7, "uses sin cos sin"),
        Escaped(7, "uses sin cos sin"), Inside(8, "raises distances to dn"),
        Escaped(8, "gives a blue above 255 unclamped"), Inside(9, "uses cos for green only"),
        Escaped(9, "uses cos for green only"), Inside(10, "takes three families"),
        Escaped(10, "takes three families"), Inside(11, "scales w by logarithms"),
        Escaped(11, "scales w by logarithms"), Inside(12, "adds w to the ninth schemes channels"),
        Escaped(12, "adds w to the ninth schemes channels"), Inside(13, "raises w to r1 over r2"),
        SchemeRow{"scheme 13 takes a negative base to a whole power",
                  13,
                  With(With(kEscaped, &Pixel::r1, 1.5), &Pixel::r2, 0.375),
                  3,
                  {}},
        SchemeRow{
            "scheme 13 multiplies before it divides", 13, With(kEscaped, &Pixel::zi, 1.65), 3, {}},
        Inside(14, "raises w to distance differences"), Inside(15, "takes a square root"),
        Escaped(15, "takes a square root"), Inside(16, "nests powers of n"),
        Escaped(16, "nests powers of n"), Inside(17, "takes a logarithm of a power"),
        Escaped(17, "takes a logarithm of a power"), Inside(18, "reads the pixel position"),
        Escaped(18, "reads the pixel position"), Inside(19, "multiplies w by each distance"),
        Escaped(19, "multiplies w by each distance"), Inside(20, "adds logarithm terms"),
        Escaped(20, "adds logarithm terms"), Inside(21, "pairs each channel with two logarithms"),
        Escaped(21, "pairs each channel with two logarithms"),
        Inside(22, "uses sin r1 for every channel"), Escaped(22, "uses sin r1 for every channel")),
    [](const auto& info) { return RowName(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Failures, Schemes,
    ::testing::Values(
        SchemeRow{
            "scheme 2 keeps every channel when r1 is 0", 2, With(kInside, &Pixel::r1, 0), 0, {}},
        SchemeRow{"scheme 4 keeps blue when r3 is 0", 4, With(kInside, &Pixel::r3, 0), 2, {}},
        SchemeRow{
            "scheme 5 keeps green and blue when r2 is 0", 5, With(kInside, &Pixel::r2, 0), 1, {}},
        SchemeRow{"scheme 6 keeps only blue when r1 is 0", 6, With(kInside, &Pixel::r1, 0), 2, {}},
        SchemeRow{
            "scheme 7 keeps green and blue when r3 is 0", 7, With(kInside, &Pixel::r3, 0), 1, {}},
        SchemeRow{
            "scheme 10 keeps green and blue when r3 is 0", 10, With(kInside, &Pixel::r3, 0), 1, {}},
        SchemeRow{
            "scheme 11 keeps green and blue when r2 is 0", 11, With(kInside, &Pixel::r2, 0), 1, {}},
        SchemeRow{"scheme 13 changes nothing when its base is negative", 13, kEscaped, 0, {}},
        SchemeRow{"scheme 14 keeps every channel when w is negative", 14, kEscaped, 0, {}},
        SchemeRow{"scheme 14 changes nothing when its logarithm has no positive argument",
                  14,
                  {3, -20, 0.6, -0.3, 1.2, 4.71238898038469, 1.3, 0.9, 3, 5, 8, 12, 34},
                  0,
                  {}},
        SchemeRow{"scheme 15 changes nothing when its radicand is negative",
                  15,
                  {5, 6, 1, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34},
                  0,
                  {}},
        SchemeRow{"scheme 16 fails on ln 0 although the float result would be finite",
                  16,
                  With(With(kInside, &Pixel::r1, 0), &Pixel::r3, 2),
                  0,
                  {}},
        SchemeRow{"scheme 17 changes nothing when zr plus the distances is negative",
                  17,
                  With(kInside, &Pixel::zr, -5),
                  0,
                  {}},
        SchemeRow{"scheme 21 fails on w over r1 0 although the float power comes back 0",
                  21,
                  With(With(With(kInside, &Pixel::r1, 0), &Pixel::r2, 0.5), &Pixel::r3, 0.8),
                  0,
                  {}},
        SchemeRow{"scheme 21 changes nothing when n plus zi sin zi is negative",
                  21,
                  {3, 0.8, 4.8, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34},
                  0,
                  {}}),
    [](const auto& info) { return RowName(info.param.what); });

TEST(SchemeSelection, RoundsBarvaAndSendsZeroAndLargeValuesToSchemeOne) {
    struct Row {
        double barva;
        int scheme;  // 0: no scheme, the call fails
    };
    const Row rows[] = {{1, 1},     {7, 7},     {22, 22},  {0, 1},    {23, 1},    {255, 1},
                        {22.5, 22}, {21.5, 22}, {0.4, 1},  {-0.5, 1}, {254.5, 1}, {255.5, 0},
                        {256, 0},   {-1, 0},    {-0.6, 0}, {1000, 0}};
    for (const Row& row : rows) {
        EXPECT_EQ(SelectScheme(row.barva), row.scheme) << "barva " << row.barva;
    }
}

TEST(SchemeSelection, BarvaZeroAnd23ColourAsSchemeOne) {
    const auto colour = [](double barva) {
        ImageState s;
        s.n = 85;
        s.dn1 = 3;
        s.dn2 = 4;
        s.dn3 = 10;
        s.barva = barva;
        EXPECT_TRUE(ComputePixelColour(s)) << "barva " << barva;
        return Channels{s.re, s.gr, s.bl};
    };
    const Channels scheme_one{0, 85, 85};  // 255, 340 and 850 modulo 255
    EXPECT_EQ(colour(1), scheme_one);
    EXPECT_EQ(colour(0), scheme_one);
    EXPECT_EQ(colour(23), scheme_one);
}

TEST(SchemeSelection, AnInvalidSchemeChangesNoChannel) {
    ImageState s;
    s.n = 10;
    s.dn1 = s.dn2 = s.dn3 = 1;
    s.barva = 300;
    s.re = 1;
    s.gr = 2;
    s.bl = 3;
    EXPECT_FALSE(ComputePixelColour(s));
    EXPECT_EQ((Channels{s.re, s.gr, s.bl}), (Channels{1, 2, 3}));
}

TEST(Scheme18, ColoursTheSameOrbitDifferentlyAtAnotherColumnOrRow) {
    const auto red = [](double i, double j) {
        ImageState s;
        s.barva = 18;
        s.n = 9;
        s.r1 = 0.8;
        s.r2 = 0.4;
        s.r3 = 1.1;
        s.i = i;
        s.j = j;
        ComputePixelColour(s);
        return s.re;
    };
    EXPECT_NE(red(10, 20), red(11, 20));
    EXPECT_NE(red(10, 20), red(10, 21));
    EXPECT_EQ(red(10, 21), red(11, 20));  // only i + j counts
}

}  // namespace
}  // namespace seedscape
