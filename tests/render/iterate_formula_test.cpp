#include "render/iterate_formula.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "maths/maths.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using maths::Sin;
using testing::RowName;

// A pixel in the middle of its iteration, with every input of the factors
// set to a distinct value; r1 to r3 are chosen so that the order of
// evaluation shows in the factors that combine them.
ImageState FactorInputs() {
    ImageState s;
    s.n = 7;
    s.dn1 = 4;
    s.zr = -0.8;
    s.zi = 0.3;
    s.cr = 0.15;
    s.ci = 0.55;
    s.r1 = 0.8;
    s.r2 = 1.45;
    s.r3 = 0.55;
    s.fak = -123;  // must be overwritten
    return s;
}

struct FactorRow {
    int selector;
    std::string what;
    double value;
};

void PrintTo(const FactorRow& row, std::ostream* os) {
    *os << row.what;
}

class Factors : public ::testing::TestWithParam<FactorRow> {};

TEST_P(Factors, ComputeTheirFormula) {
    const FactorRow& row = GetParam();
    ImageState state = FactorInputs();
    state.fak00 = row.selector;
    EXPECT_TRUE(ComputeFactor(state));
    EXPECT_EQ(state.fak, row.value);
}

// Worked out once with the straightforward code; the C library's functions
// give the same 25 values to the last bit. Products and quotients run left to
// right, as written: at these inputs any other order of those in factors 19
// to 23 gives another value.
INSTANTIATE_TEST_SUITE_P(
    ComputeFactor, Factors,
    ::testing::Values(FactorRow{1, "factor 1 is one", 1},
                      FactorRow{2, "factor 2 is sin n", 0.6569865987187891},
                      FactorRow{3, "factor 3 is sin n dn1", 0.27090578830786904},
                      FactorRow{4, "factor 4 is sin n over dn1", 0.9839859468739369},
                      FactorRow{5, "factor 5 is sin n plus dn1", -0.9999902065507035},
                      FactorRow{6, "factor 6 is sin n plus zi", 0.8504366206285644},
                      FactorRow{7, "factor 7 is sin n plus zr", -0.0830894028174964},
                      FactorRow{8, "factor 8 is sin n plus ci", 0.9541522662795148},
                      FactorRow{9, "factor 9 repeats factor 8", 0.9541522662795148},
                      FactorRow{10, "factor 10 is ln n over dn1", 0.5596157879354227},
                      FactorRow{11, "factor 11 is sin n over r1", 0.6247239537541924},
                      FactorRow{12, "factor 12 is sin tan n", 0.7652618331333072},
                      FactorRow{13, "factor 13 is sin cos tan n", 0.6001744079361845},
                      FactorRow{14, "factor 14 is sin cos tan ln n", -0.7340225054888827},
                      FactorRow{15, "factor 15 is cos dn1 over n", 0.8411292134152362},
                      FactorRow{16, "factor 16 is cos n", 0.7539022543433046},
                      FactorRow{17, "factor 17 is ln n", 1.9459101490553132},
                      FactorRow{18, "factor 18 is sin n r1", -0.6312666378723208},
                      FactorRow{19, "factor 19 is sin n r1 r2", 0.9648252809930908},
                      FactorRow{20, "factor 20 is sin n r1 r2 r3", -0.9697994832770774},
                      FactorRow{21, "factor 21 is sin n r1 over r2", -0.6597426911955419},
                      FactorRow{22, "factor 22 is sin n r1 over r2 over r3", 0.6733704108640424},
                      FactorRow{23, "factor 23 is sin r1 over r2 over r3", 0.8431605851276124},
                      FactorRow{24, "factor 24 is sin r1 over n", 0.11403709147880649},
                      FactorRow{25, "factor 25 is sin r1 dn1", -0.058374143427580086}),
    [](const auto& info) { return RowName(info.param.what); });

TEST(ComputeFactor, SelectorNineEqualsSelectorEightOnEveryInput) {
    for (const double ci : {-1.4, -0.3, 0.0, 0.7, 1.2}) {
        for (int n = 1; n <= 100; n += 11) {
            ImageState eight = FactorInputs();
            eight.n = n;
            eight.ci = ci;
            ImageState nine = eight;
            eight.fak00 = 8;
            nine.fak00 = 9;
            ComputeFactor(eight);
            ComputeFactor(nine);
            EXPECT_EQ(eight.fak, nine.fak) << "n " << n << " ci " << ci;
        }
    }
}

TEST(ComputeFactor, AFailingFactorKeepsThePreviousValue) {
    struct Row {
        int selector;
        double r1, r2, r3;
        const char* what;
    };
    const Row rows[] = {
        {11, 0, 1.7, 0.45, "factor 11 with r1 0"}, {21, 0.6, 0, 0.45, "factor 21 with r2 0"},
        {22, 0.6, 0, 0.45, "factor 22 with r2 0"}, {22, 0.6, 1.7, 0, "factor 22 with r3 0"},
        {23, 0.6, 0, 0.45, "factor 23 with r2 0"}, {23, 0.6, 1.7, 0, "factor 23 with r3 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ImageState state = FactorInputs();
        state.r1 = row.r1;
        state.r2 = row.r2;
        state.r3 = row.r3;
        state.fak = 0.625;
        state.fak00 = row.selector;
        EXPECT_FALSE(ComputeFactor(state));
        EXPECT_EQ(state.fak, 0.625);
    }
}

// The render pass's seed for a pixel with constant c.
ImageState Seeded(double cr, double ci, double fak01, double fak02) {
    ImageState s;
    s.cr = cr;
    s.ci = ci;
    s.n = 1;
    s.fak01 = fak01;
    s.fak02 = fak02;
    s.dn1 = 3;
    s.r1 = 0.5;
    s.r2 = 0.7;
    s.r3 = 0.9;
    return s;
}

TEST(IterateFormula, ZeroConstantRunsAllNinetyNineStepsWithAnySelectors) {
    for (int fak01 = 1; fak01 <= 25; ++fak01) {
        for (int fak02 = 1; fak02 <= 25; ++fak02) {
            ImageState s = Seeded(0, 0, fak01, fak02);
            IterateFormula(s);
            SCOPED_TRACE("fak01 " + std::to_string(fak01) + " fak02 " + std::to_string(fak02));
            ASSERT_EQ(s.n, 100);
            ASSERT_EQ(s.zr, 0);
            ASSERT_EQ(s.zi, 0);
            ASSERT_EQ(s.zr2, 0);
            ASSERT_EQ(s.zi2, 0);
        }
    }
}

TEST(IterateFormula, ClassicIterationWithBothSelectorsOne) {
    struct Row {
        const char* what;
        double cr, ci;
        int n;
        double zr, zi, zr2, zi2;
    };
    // The escape test reads the squares of the step before, so one more step
    // runs after the point leaves the disc of radius 2.
    const Row rows[] = {
        {"c = 2 escapes after one extra step", 2, 0, 3, 6, 0, 4, 0},
        {"c = 1 + i escapes on the third step", 1, 1, 4, -7, 7, 1, 9},
        {"c = -1 cycles until the step limit", -1, 0, 100, -1, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ImageState s = Seeded(row.cr, row.ci, 1, 1);
        IterateFormula(s);
        EXPECT_EQ(s.n, row.n);
        EXPECT_EQ(s.zr, row.zr);
        EXPECT_EQ(s.zi, row.zi);
        EXPECT_EQ(s.zr2, row.zr2);
        EXPECT_EQ(s.zi2, row.zi2);
    }
}

TEST(IterateFormula, SelectorSixSeesTheOldZiAsFak01AndTheNewZiAsFak02) {
    // One step only: n starts at 99.
    const auto one_step = [](double fak01, double fak02) {
        ImageState s = Seeded(0.1, 0.2, fak01, fak02);
        s.n = 99;
        s.zr = 0.5;
        s.zi = 0.25;
        IterateFormula(s);
        return s;
    };
    // Worked out once: zi = 2 * 0.25 * 0.5 + sin(99 + 0.25) * 0.2 with the
    // old zi, zr = 0.5^2 - 0.25^2 + 0.1.
    const ImageState first = one_step(6, 1);
    EXPECT_EQ(first.zi, 0.05834158599378733);
    EXPECT_EQ(first.zr, 0.2875);

    // zi = 0.25 + 0.2, then zr = 0.1875 + sin(99 + 0.45) * 0.1 with the new zi.
    const ImageState second = one_step(1, 6);
    EXPECT_EQ(second.zi, 0.45);
    EXPECT_EQ(second.zr, 0.09925878120148884);
    // With the old zi, fak02 would have given another zr: the row tells them apart.
    EXPECT_NE(second.zr, (0.25 - 0.0625) + Sin(99 + 0.25) * 0.1);
    EXPECT_EQ(second.n, 100);
}

TEST(IterateFormula, SelectorNineIteratesExactlyAsSelectorEight) {
    for (const double c : {-1.3, -0.4, 0.35, 0.9}) {
        ImageState eight = Seeded(c, c / 2, 8, 8);
        ImageState nine = Seeded(c, c / 2, 9, 9);
        IterateFormula(eight);
        IterateFormula(nine);
        EXPECT_EQ(eight.n, nine.n) << c;
        EXPECT_EQ(eight.zr, nine.zr) << c;
        EXPECT_EQ(eight.zi, nine.zi) << c;
    }
}

TEST(IterateFormula, AFailingFactorGoesOnWithTheLastFactorComputed) {
    // Selector 11 with r1 = 0 fails; the imaginary update uses whatever factor
    // stands: first the one left from before, then the one selector 1 left.
    ImageState s = Seeded(0.5, 0.5, 11, 1);
    s.r1 = 0;
    s.fak = 0.375;
    s.n = 98;  // two steps
    IterateFormula(s);
    // Step 1: zi = 0.375 * 0.5, zr = 0.5.  Step 2: zi = 2 * 0.1875 * 0.5 + 1 * 0.5,
    // zr = (0.25 - 0.03515625) + 0.5.
    EXPECT_EQ(s.n, 100);
    EXPECT_EQ(s.zi, 0.6875);
    EXPECT_EQ(s.zr, 0.71484375);
    EXPECT_EQ(s.zi2, 0.03515625);
    EXPECT_EQ(s.fak, 1);
}

TEST(IterateFormula, BeforeAnyFactorSucceedsTheFactorIsZero) {
    ImageState s = Seeded(0.5, 0.5, 11, 11);
    s.r1 = 0;
    IterateFormula(s);
    EXPECT_EQ(s.fak, 0);
    EXPECT_EQ(s.n, 100);
    EXPECT_EQ(s.zr, 0);
    EXPECT_EQ(s.zi, 0);
}

TEST(IterateFormula, SkipsEachFailingStatementOnItsOwn) {
    // Squaring 1e300 overflows, and so does the imaginary update; the real
    // update needs neither new square and still runs.
    ImageState s = Seeded(0.25, 0.5, 1, 1);
    s.n = 99;
    s.zr = 1e300;
    s.zi = 1e300;
    IterateFormula(s);
    EXPECT_EQ(s.zr2, 0);
    EXPECT_EQ(s.zi2, 0);
    EXPECT_EQ(s.zi, 1e300);
    EXPECT_EQ(s.zr, 0.25);
    EXPECT_EQ(s.n, 100);
}

}  // namespace
}  // namespace seedscape
