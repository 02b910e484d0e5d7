#include "render/fast/factor_plan.h"

#include <cstring>

#include "maths/maths.h"
#include "render/checked.h"
#include "render/factor_formulas.h"

namespace seedscape {

int FactorSelector(double fak0x) {
    const double selector = maths::RoundHalfEven(fak0x);
    return selector >= 1 && selector <= 25 ? static_cast<int>(selector) : 0;
}

void FactorTable::Fill(int selector, double dn1) {
    for (int n = 1; n < 100; ++n) {
        const Checked zero = 0.0;
        const Checked factor =
            FactorFormula<Checked>(selector, {n, zero, zero, zero, zero, zero, zero, dn1});
        value[n] = factor.value();
        ok[n] = factor.ok();
    }
}

const double* RowTable::Fill(const PixelKernelSet& kernels, int selector, const double* y,
                             int padded_rows) {
    const std::size_t rows = static_cast<std::size_t>(padded_rows);
    const bool same_rows =
        y_.size() == rows && std::memcmp(y_.data(), y, rows * sizeof(double)) == 0;
    if (!same_rows || selector != selector_ || kernels.fill_row_table != fill_) {
        values_.resize(100 * rows);
        kernels.fill_row_table(selector, y, padded_rows, values_.data());
        y_.assign(y, y + rows);
        selector_ = selector;
        fill_ = kernels.fill_row_table;
    }
    return values_.data();
}

FactorPlan::FactorPlan(const ImageState& state, const PixelKernelSet& kernels, const double* y,
                       int padded_rows, RowTable& row_table) {
    const int selector1 = FactorSelector(state.fak01);
    const int selector2 = FactorSelector(state.fak02);
    first_ = Source(selector1, table1_, state.dn1, kernels, y, padded_rows, row_table);
    second_ = Source(selector2, table2_, state.dn1, kernels, y, padded_rows, row_table);

    // The same formula twice in a step gives the same value, unless it reads
    // zi, which changes between the two. Tables are as cheap as a copy.
    const bool same_formula = selector1 == selector2 || (first_.mode == FactorMode::kRowTable &&
                                                         second_.mode == FactorMode::kRowTable);
    if (same_formula && !PropertiesOf(selector2).reads_zi && second_.mode != FactorMode::kTable) {
        second_.mode = FactorMode::kSameAsFirst;
    }
}

FactorSource FactorPlan::Source(int selector, FactorTable& table, double dn1,
                                const PixelKernelSet& kernels, const double* y, int padded_rows,
                                RowTable& row_table) {
    const FactorProperties& properties = PropertiesOf(selector);
    FactorSource source;
    source.selector = selector;
    source.padded_rows = padded_rows;
    switch (properties.dependence) {
        case FactorDependence::kTable:
            table.Fill(selector, dn1);
            source.mode = FactorMode::kTable;
            source.table = table.value;
            source.table_ok = table.ok;
            break;
        case FactorDependence::kRow:
            // One table for the whole image: both selectors of the formula
            // share the first one's.
            source.mode = FactorMode::kRowTable;
            source.table = first_.mode == FactorMode::kRowTable
                               ? first_.table
                               : row_table.Fill(kernels, selector, y, padded_rows);
            break;
        case FactorDependence::kPixel:
            source.mode = FactorMode::kPixel;
            break;
        case FactorDependence::kStep:
            source.mode = properties.may_fail ? FactorMode::kStepChecked : FactorMode::kStep;
            break;
    }
    return source;
}

int FactorPlan::FactorsComputedEveryStep() const {
    const auto every_step = [](const FactorSource& source) {
        return source.mode == FactorMode::kStep || source.mode == FactorMode::kStepChecked;
    };
    return int(every_step(first_)) + int(every_step(second_));
}

}  // namespace seedscape
