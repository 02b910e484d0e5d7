#pragma once

#include <vector>

#include "render/fast/kernel_sets.h"
#include "render/fast/pixel_kernel.h"
#include "state/image_state.h"

namespace seedscape {

// Factors that depend on n alone, for n = 1 to 99 (index 0 unused).
struct FactorTable {
    double value[100] = {};
    bool ok[100] = {};

    void Fill(int selector, double dn1);
};

// The table of the factor formula that depends on n and the row, for
// n = 1..99 and every padded row: table[n * padded_rows + row]. Kept from
// render to render, and made again only when the rows or the formula
// change: the bands of an export share their rows, and a table costs a
// hundred formulas a row.
class RowTable {
  public:
    const double* Fill(const PixelKernelSet& kernels, int selector, const double* y,
                       int padded_rows);

  private:
    std::vector<double> values_;
    std::vector<double> y_;  // the rows it holds, bit for bit
    int selector_ = 0;
    RowTableFill fill_ = nullptr;
};

// How the kernel gets each of the image's two factors: from a table made
// once here, once per pixel, or at every step. The sources point into the
// plan's own tables, so a plan stays where it was made.
class FactorPlan {
  public:
    // `y` holds the plane y of every padded row; `row_table` is kept from
    // render to render for the formula that depends on n and the row.
    FactorPlan(const ImageState& state, const PixelKernelSet& kernels, const double* y,
               int padded_rows, RowTable& row_table);
    FactorPlan(const FactorPlan&) = delete;
    FactorPlan& operator=(const FactorPlan&) = delete;

    const FactorSource& first() const { return first_; }
    const FactorSource& second() const { return second_; }

    // How many of the two factors are computed at every step of every pixel:
    // each such formula takes one sine a step.
    int FactorsComputedEveryStep() const;

  private:
    FactorSource Source(int selector, FactorTable& table, double dn1, const PixelKernelSet& kernels,
                        const double* y, int padded_rows, RowTable& row_table);

    FactorTable table1_, table2_;
    FactorSource first_, second_;
};

// The formula a record's selector (fak01, fak02) names: 1 to 25, 0 for none.
int FactorSelector(double fak0x);

}  // namespace seedscape
