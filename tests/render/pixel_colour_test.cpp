#include "render/pixel_colour.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using testing::RowName;

// What the colour formulas read of one pixel.
struct Pixel {
    int n;
    double zr, zi, cr, ci, r1, r2, r3, dn1, dn2, dn3, i, j;
};

using Channels = std::array<double, 3>;

// An orbit still near the origin, and one that has escaped.
constexpr Pixel kInside{7, 0.8, 0.6, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34};
constexpr Pixel kEscaped{12, -2.5, -1.9, 1.1, -0.7, 1.6, 0.35, 2.2, 17, 2, 29, 200, 7};

Pixel With(Pixel p, double Pixel::*field, double value) {
    p.*field = value;
    return p;
}

// The channels hold these before every call, so a channel that keeps its
// value is told apart from any the formulas give.
constexpr double kOldRed = -11.5;
constexpr double kOldGreen = 300.25;
constexpr double kOldBlue = 1e6;
constexpr Channels kUnchanged{kOldRed, kOldGreen, kOldBlue};

// `after` is what the channels hold after the call. The statements run red,
// green, blue; the first that fails leaves its channel and those after it as
// they were, and the call succeeds only when all three were written.
struct SchemeRow {
    std::string what;
    int scheme;
    Pixel pixel;
    Channels after;
};

void PrintTo(const SchemeRow& row, std::ostream* os) {
    *os << row.what;
}

class Schemes : public ::testing::TestWithParam<SchemeRow> {};

TEST_P(Schemes, WriteTheirChannelsInOrderUntilAStatementFails) {
    const SchemeRow& row = GetParam();
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
    s.re = kUnchanged[0];
    s.gr = kUnchanged[1];
    s.bl = kUnchanged[2];

    const bool all_written =
        row.after[0] != kOldRed && row.after[1] != kOldGreen && row.after[2] != kOldBlue;
    EXPECT_EQ(ComputePixelColour(s), all_written);
    EXPECT_EQ((Channels{s.re, s.gr, s.bl}), row.after);
}

SchemeRow Inside(int scheme, const std::string& what, Channels after) {
    return {"scheme " + std::to_string(scheme) + " " + what + " on an orbit inside", scheme,
            kInside, after};
}
SchemeRow Escaped(int scheme, const std::string& what, Channels after) {
    return {"scheme " + std::to_string(scheme) + " " + what + " on an escaped orbit", scheme,
            kEscaped, after};
}

std::string NameOf(const ::testing::TestParamInfo<SchemeRow>& info) {
    return RowName(info.param.what);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedOut, Schemes,
    ::testing::Values(
        SchemeRow{"scheme 1 with n 100 and dn1 30 gives red 195",
                  1,
                  {100, 0, 0, 0, 0, 1, 1, 1, 30, 2, 3, 0, 0},
                  {195, 200, 45}},
        SchemeRow{"scheme 1 wraps 255 to 0 instead of saturating",
                  1,
                  {85, 0, 0, 0, 0, 1, 1, 1, 3, 1, 6, 0, 0},
                  {0, 85, 0}},
        SchemeRow{"scheme 1 with n 3 and unit multipliers gives 3",
                  1,
                  {3, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0},
                  {3, 3, 3}},
        // Red is 7 ln(1 + 0^3) + 0 * 3 = 0; green and blue are as on the orbit inside.
        SchemeRow{"scheme 8 does not fail when r1 is 0",
                  8,
                  With(kInside, &Pixel::r1, 0),
                  {0, 17.35216856707028, 9.70600777833062}},
        SchemeRow{"scheme 22 with r1 0 keeps only the logarithm terms",
                  22,
                  With(kInside, &Pixel::r1, 0),
                  // ln(7 dn1) zr, ln(7 dn2) zi, ln(7 dn3) cr
                  {2.4356179501787385, 2.133208836893648, -1.207605507220545}}),
    NameOf);

// Worked out once with the straightforward code, and checked against an
// independent evaluation of the formulas (products and quotients left to
// right, ^ before them) with the C library's functions, which agreed to
// within 1e-15. Pinned bit for bit, so that another order of evaluation or
// another function shows.
INSTANTIATE_TEST_SUITE_P(
    Formulas, Schemes,
    ::testing::Values(
        Inside(2, "divides by sin of a distance",
               {11.779303059829754, 13.097110479585414, 23.046984386109447}),
        Escaped(2, "divides by sin of a distance",
                {226.44572429403405, 79.54086849200644, 477.27149374014897}),
        Inside(3, "takes logarithms of orbit products",
               {8.72922605650468, 11.634212537872896, 14.864208989676273}),
        Escaped(3, "takes logarithms of orbit products",
                {36.955365090416315, 14.43566764790823, 41.11067993103032}),
        Inside(4, "borrows the sixth schemes green for blue",
               {12.47032293786383, 8.949394259902228, 17.11111111111111}),
        Escaped(4, "borrows the sixth schemes green for blue",
                {23.097103181510196, 41.24476470830923, -6.8909090909090915}),
        Inside(5, "divides n dn by the distances",
               {30.000000000000004, 26.923076923076923, 62.22222222222222}),
        Escaped(5, "divides n dn by the distances", {127.5, 68.57142857142857, 158.18181818181816}),
        Inside(6, "mixes distance ratios and the orbit",
               {4.669230769230769, 17.11111111111111, 11.8}),
        Escaped(6, "gives a negative green unclamped",
                {41.257142857142874, -6.8909090909090915, -76.3}),
        Inside(7, "uses sin cos sin", {13.893759205257883, 15.463199338473556, 10.782372557587806}),
        Escaped(7, "uses sin cos sin", {23.070523104857084, 27.39373967494282, 46.43449181307594}),
        Inside(8, "raises distances to dn",
               {4.164341422787704, 17.35216856707028, 9.70600777833062}),
        Escaped(8, "gives a blue above 255 unclamped",
                {123.08480543566621, 2.086700087611268, 338.1831614081751}),
        Inside(9, "uses cos for green only",
               {6.649561370891083, 24.50078140954756, 15.851309210465338}),
        Escaped(9, "uses cos for green only",
                {305.82543157440614, 5.079797719515534, 809.9931725265753}),
        Inside(10, "takes three families",
               {6.649561370891083, 17.11111111111111, 21.062984386109445}),
        Escaped(10, "takes three families",
                {305.82543157440614, -6.8909090909090915, 463.02149374014897}),
        Inside(11, "scales w by logarithms",
               {-1.468509393545625, -3.7048399021372234, -3.90727943663613}),
        Escaped(11, "scales w by logarithms",
                {-163.04290063563906, 17.6050552881768, -205.12308454363802}),
        Inside(12, "adds w to the ninth schemes channels",
               {4.670271065614339, 22.521491104270815, 13.872018905188595}),
        Escaped(12, "adds w to the ninth schemes channels",
                {256.46660896195795, -44.27902489293266, 760.6343499141271}),
        Inside(13, "raises w to r1 over r2",
               {3.7775628531497945, 14.719176542576433, 9.67091538405155}),
        SchemeRow{"scheme 13 takes a negative base to a whole power",
                  13,
                  With(With(kEscaped, &Pixel::r1, 1.5), &Pixel::r2, 0.375),
                  {-9.7654417106428, -8.636595527442164, -91.39399529390236}},
        SchemeRow{"scheme 13 multiplies before it divides",
                  13,
                  With(kEscaped, &Pixel::zi, 1.65),
                  {63268469.52691339, 2201811.3085715594, 19029862.48836848}},
        Inside(14, "raises w to distance differences",
               {7.152166528520699, 8.923068900074822, 10.687154996581539}),
        Inside(15, "takes a square root",
               {11.666293327359808, 21.665973322239648, 14.999519992319755}),
        Escaped(15, "takes a square root",
                {78.68682227666841, 17.212742373021214, 108.19438063041908}),
        Inside(16, "nests powers of n", {3.7095443346503862, 4.769414144550497, 2.568146077834883}),
        Escaped(16, "nests powers of n",
                {4.3292818689644115, 5.952762569826065, 27.212628890633443}),
        Inside(17, "takes a logarithm of a power",
               {3.104113468816446, 5.764782156373401, 3.991003031335431}),
        Escaped(17, "takes a logarithm of a power",
                {10.133841561357789, 2.216777841547016, 13.93403214686696}),
        Inside(18, "reads the pixel position",
               {11.411967386918462, 31.699406775033342, 17.84084388764693}),
        Escaped(18, "reads the pixel position",
                {57.34121536831094, 4.302935983390057, 63.77242118832606}),
        Inside(19, "multiplies w by each distance",
               {38.27871062871346, 71.08903402475357, 49.21548509406017}),
        Escaped(19, "multiplies w by each distance",
                {209.69879898362083, 45.871612277667055, 288.3358486024787}),
        Inside(20, "adds logarithm terms",
               {27.095440381849347, 70.63162946484628, 37.34420833732709}),
        Escaped(20, "adds logarithm terms",
                {196.31408406892365, 9.690972996797498, 239.55591941512574}),
        Inside(21, "pairs each channel with two logarithms",
               {10.45649097593126, 3.904710809435492, 3.7333966295735506}),
        Escaped(21, "pairs each channel with two logarithms",
                {15.099935855090525, 1519.31062289673, 36.14768509393678}),
        Inside(22, "uses sin r1 for every channel",
               {30.1357724858373, 79.07686251081378, 42.09729679217387}),
        Escaped(22, "uses sin r1 for every channel",
                {558.7390525207468, 36.88766612605045, 642.6293036958583})),
    NameOf);

INSTANTIATE_TEST_SUITE_P(
    Failures, Schemes,
    ::testing::Values(
        SchemeRow{"scheme 2 keeps every channel when r1 is 0", 2, With(kInside, &Pixel::r1, 0),
                  kUnchanged},
        SchemeRow{"scheme 4 keeps blue when r3 is 0",
                  4,
                  With(kInside, &Pixel::r3, 0),
                  {12.47032293786383, 8.949394259902228, kOldBlue}},
        SchemeRow{"scheme 5 keeps green and blue when r2 is 0",
                  5,
                  With(kInside, &Pixel::r2, 0),
                  {30.000000000000004, kOldGreen, kOldBlue}},
        SchemeRow{"scheme 6 keeps only blue when r1 is 0",
                  6,
                  With(kInside, &Pixel::r1, 0),
                  {0.8999999999999999, 17.11111111111111, kOldBlue}},
        SchemeRow{"scheme 7 keeps green and blue when r3 is 0",
                  7,
                  With(kInside, &Pixel::r3, 0),
                  {13.893759205257883, kOldGreen, kOldBlue}},
        SchemeRow{"scheme 10 keeps green and blue when r3 is 0",
                  10,
                  With(kInside, &Pixel::r3, 0),
                  {6.649561370891083, kOldGreen, kOldBlue}},
        SchemeRow{"scheme 11 keeps green and blue when r2 is 0",
                  11,
                  With(kInside, &Pixel::r2, 0),
                  {-1.468509393545625, kOldGreen, kOldBlue}},
        SchemeRow{"scheme 13 changes nothing when its base is negative", 13, kEscaped, kUnchanged},
        SchemeRow{"scheme 14 keeps every channel when w is negative", 14, kEscaped, kUnchanged},
        SchemeRow{"scheme 14 changes nothing when its logarithm has no positive argument",
                  14,
                  {3, -20, 0.6, -0.3, 1.2, 4.71238898038469, 1.3, 0.9, 3, 5, 8, 12, 34},
                  kUnchanged},
        SchemeRow{"scheme 15 changes nothing when its radicand is negative",
                  15,
                  {5, 6, 1, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34},
                  kUnchanged},
        SchemeRow{"scheme 16 fails on ln 0 although the float result would be finite", 16,
                  With(With(kInside, &Pixel::r1, 0), &Pixel::r3, 2), kUnchanged},
        SchemeRow{"scheme 17 changes nothing when zr plus the distances is negative", 17,
                  With(kInside, &Pixel::zr, -5), kUnchanged},
        SchemeRow{"scheme 21 fails on w over r1 0 although the float power comes back 0", 21,
                  With(With(With(kInside, &Pixel::r1, 0), &Pixel::r2, 0.5), &Pixel::r3, 0.8),
                  kUnchanged},
        SchemeRow{"scheme 21 changes nothing when n plus zi sin zi is negative",
                  21,
                  {3, 0.8, 4.8, -0.3, -0.45, 0.7, 1.3, 0.9, 3, 5, 8, 12, 34},
                  kUnchanged}),
    NameOf);

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
