// The fast pass computes a factor as rarely as its row of kFactorProperties
// allows: once per image, per row, per pixel or every step, skipping the
// failure checks where a formula cannot fail. Each row is checked here
// against the formula itself, over a sweep of inputs.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "render/checked.h"
#include "render/factor_formulas.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using testing::RowName;

// What a factor reads besides n and dn1: the step's orbit point, and the
// pixel's ci and distances.
struct Inputs {
    double zr, zi, ci, r1, r2, r3;
};

Checked Factor(int selector, int n, double dn1, const Inputs& in) {
    return FactorFormula<Checked>(selector, {n, in.zr, in.zi, in.ci, in.r1, in.r2, in.r3, dn1});
}

// Both fail, or both succeed with the same bits.
bool Same(const Checked& a, const Checked& b) {
    if (a.ok() != b.ok()) return false;
    return !a.ok() ||
           std::bit_cast<std::uint64_t>(a.value()) == std::bit_cast<std::uint64_t>(b.value());
}

// Finite values of each input up to the sizes a view the fast pass accepts
// can give (coordinates up to 1e100: the orbit stays below about 5e201).
// Distances are never negative, and are exactly 0 on a reference point.
const double kOrbit[] = {-5e201, -2.5, -0.8, 0.0, 0.3, 1.9, 5e201};
const double kCi[] = {-1e100, -1.5, -0.45, 0.0, 0.55, 1.5, 1e100};
const double kDistance[] = {0.0, 1e-300, 0.25, 0.8, 1.45, 2.9, 3e100};
const double kDn1[] = {1, 4, 17, 30};  // whole, 1 to 30

// A few typical pixels, and each of them with one input swept at a time.
std::vector<Inputs> SweptInputs() {
    const Inputs bases[] = {{0, 0, 0, 0, 0, 0},
                            {-0.8, 0.3, 0.55, 0.8, 1.45, 0.55},
                            {-2.5, 1.9, -1.5, 2.9, 0.25, 1.3},
                            {5e201, -5e201, 1e100, 3e100, 2.9, 3e100}};
    std::vector<Inputs> swept;
    for (const Inputs& base : bases) {
        swept.push_back(base);
        for (double Inputs::*field : {&Inputs::zr, &Inputs::zi}) {
            for (const double value : kOrbit) {
                swept.push_back(base);
                swept.back().*field = value;
            }
        }
        for (const double value : kCi) {
            swept.push_back(base);
            swept.back().ci = value;
        }
        for (double Inputs::*field : {&Inputs::r1, &Inputs::r2, &Inputs::r3}) {
            for (const double value : kDistance) {
                swept.push_back(base);
                swept.back().*field = value;
            }
        }
    }
    return swept;
}

// The step and inputs whose factor stands for the one at step n with inputs
// `in`, by a row of the table: the image's table entry for n, the image row's
// entry, the pixel's first step, or the same step. Unless the row reads zi,
// zi is set to 0.
struct Point {
    int n;
    Inputs in;
};

Point StandIn(FactorDependence dependence, bool reads_zi, int n, const Inputs& in) {
    Point point{n, in};
    switch (dependence) {
        case FactorDependence::kTable:
            point.in = {0, 0, 0, 0, 0, 0};
            break;
        case FactorDependence::kRow:
            point.in = {0, 0, in.ci, 0, 0, 0};
            break;
        case FactorDependence::kPixel:
            point = {1, {0, 0, in.ci, in.r1, in.r2, in.r3}};
            break;
        case FactorDependence::kStep:
            break;
    }
    if (!reads_zi) point.in.zi = 0;
    return point;
}

// What a factor depends on, as a row of the table says.
const char* DependsOn(FactorDependence dependence) {
    switch (dependence) {
        case FactorDependence::kTable:
            return "depends on n and dn1 only";
        case FactorDependence::kRow:
            return "depends on n and ci only";
        case FactorDependence::kPixel:
            return "depends on the pixel only, not on the step";
        case FactorDependence::kStep:
            return "depends on every step";
    }
    return "";
}

std::string Describe(int selector) {
    if (selector == 0) return "selector 0 names no formula and always fails";
    const FactorProperties& row = PropertiesOf(selector);
    return "factor " + std::to_string(selector) + " " + DependsOn(row.dependence) +
           (row.reads_zi ? ", reads zi" : "") +
           (row.may_fail ? " and fails where a distance is 0" : " and never fails");
}

std::ostream& operator<<(std::ostream& os, const Inputs& in) {
    return os << "zr " << in.zr << ", zi " << in.zi << ", ci " << in.ci << ", r1 " << in.r1
              << ", r2 " << in.r2 << ", r3 " << in.r3;
}

// The dependences that would let the fast pass compute the factor less often
// than the row's own.
std::vector<FactorDependence> Coarser(FactorDependence dependence) {
    switch (dependence) {
        case FactorDependence::kTable:
            return {};
        case FactorDependence::kRow:
        case FactorDependence::kPixel:
            return {FactorDependence::kTable};
        case FactorDependence::kStep:
            return {FactorDependence::kTable, FactorDependence::kRow, FactorDependence::kPixel};
    }
    return {};
}

class EveryRow : public ::testing::TestWithParam<int> {};

TEST_P(EveryRow, MatchesItsFormula) {
    const int selector = GetParam();
    const FactorProperties& row = PropertiesOf(selector);
    const std::vector<Inputs> swept = SweptInputs();

    // The row must also be as lean as the formula allows: each coarser
    // dependence, and ignoring zi, must give a wrong value somewhere.
    const std::vector<FactorDependence> coarser = Coarser(row.dependence);
    std::vector<bool> coarser_is_wrong(coarser.size(), false);
    bool zi_matters = false;

    for (const double dn1 : kDn1) {
        for (int n = 1; n < 100; ++n) {
            for (const Inputs& in : swept) {
                const auto at = [&] {
                    return ::testing::Message() << " at n " << n << ", dn1 " << dn1 << ", " << in;
                };
                const Checked value = Factor(selector, n, dn1, in);
                if (selector == 0) {
                    ASSERT_FALSE(value.ok()) << at();
                }
                if (!row.may_fail) {
                    ASSERT_TRUE(value.ok()) << "fails" << at();
                }
                const Point stand_in = StandIn(row.dependence, row.reads_zi, n, in);
                ASSERT_TRUE(Same(value, Factor(selector, stand_in.n, dn1, stand_in.in)))
                    << "differs" << at() << " from the factor at n " << stand_in.n << ", "
                    << stand_in.in;

                for (std::size_t k = 0; k < coarser.size(); ++k) {
                    const Point p = StandIn(coarser[k], row.reads_zi, n, in);
                    if (!Same(value, Factor(selector, p.n, dn1, p.in))) coarser_is_wrong[k] = true;
                }
                const Point p = StandIn(row.dependence, false, n, in);
                if (!Same(value, Factor(selector, p.n, dn1, p.in))) zi_matters = true;
            }
        }
    }
    if (selector == 0) return;  // always failing, it has no dependence to show
    for (std::size_t k = 0; k < coarser.size(); ++k) {
        EXPECT_TRUE(coarser_is_wrong[k])
            << "dependence " << static_cast<int>(coarser[k]) << " would do as well";
    }
    EXPECT_EQ(zi_matters, row.reads_zi);

    if (row.may_fail) {
        // On a reference point: one distance 0, the others not.
        bool fails = false;
        for (double Inputs::*field : {&Inputs::r1, &Inputs::r2, &Inputs::r3}) {
            Inputs on_point{-0.8, 0.3, 0.55, 0.8, 1.45, 0.55};
            on_point.*field = 0;
            for (int n = 1; n < 100; ++n) fails = fails || !Factor(selector, n, 4, on_point).ok();
        }
        EXPECT_TRUE(fails) << "never fails where a distance is 0";
    }
}

std::vector<int> EverySelector() {
    std::vector<int> selectors;
    for (int selector = 0; selector <= 25; ++selector) selectors.push_back(selector);
    return selectors;
}

INSTANTIATE_TEST_SUITE_P(FactorProperties, EveryRow, ::testing::ValuesIn(EverySelector()),
                         [](const auto& info) { return RowName(Describe(info.param)); });

TEST(PropertiesOf, SelectorsOutsideOneToTwentyFiveNameNoFormula) {
    for (const int selector : {-1, 26, 1000}) {
        EXPECT_EQ(&PropertiesOf(selector), &kFactorProperties[0]) << selector;
        EXPECT_FALSE(Factor(selector, 7, 4, {-0.8, 0.3, 0.55, 0.8, 1.45, 0.55}).ok()) << selector;
    }
}

}  // namespace
}  // namespace seedscape
