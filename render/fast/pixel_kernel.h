#pragma once

namespace seedscape {

// How the kernel gets one of a step's two factors.
enum class FactorMode {
    kTable,        // from `table`, by n: the formula depends on n alone
    kRowTable,     // from `table`, by n and row: the formula depends on n and y
    kPixel,        // once per pixel: the formula does not depend on n
    kStep,         // every step, from the lanes' own values; the formula cannot fail
    kStepChecked,  // every step, and it may fail (it divides by a distance)
    kSameAsFirst,  // the second factor is the first one's formula on the same values
};

struct FactorSource {
    int selector = 0;  // the formula, 0 when the selector names none
    FactorMode mode = FactorMode::kStepChecked;
    const double* table = nullptr;   // kTable: [n]; kRowTable: [n * padded_rows + row]
    const bool* table_ok = nullptr;  // kTable: whether each factor succeeded
    int padded_rows = 0;
};

// Everything the fast pixel kernel reads, as plain numbers: no record, no
// library types, so that the AVX build of the kernel shares no inline code
// with the rest of the program.
struct KernelInput {
    int columns = 0;
    int rows = 0;
    const double* x = nullptr;              // plane x of every column
    const double* column_number = nullptr;  // the column counter i of every column
    const double* y = nullptr;              // plane y of every row, padded to whole registers
    const double* row_number = nullptr;     // the row counter j of every row, padded like y
    double xt1 = 0, yt1 = 0, xt2 = 0, yt2 = 0, xt3 = 0, yt3 = 0;
    double dn1 = 0, dn2 = 0, dn3 = 0;
    FactorSource factor1;  // fak01's
    FactorSource factor2;  // fak02's
    int scheme = 0;        // colour scheme 1..22, 0 for none
};

// What the kernel leaves for every pixel, in one word: the assigned channels
// rounded and packed as a colour value (the bytes of channels not assigned
// are 0), how many of re, gr, bl were assigned (0..3), and whether the
// pixel's first factor failed, so that the pixel depends on the factor the
// previous pixel left: it must be computed again, in order.
inline constexpr unsigned int kColourBits = 0xFFFFFFU;
inline constexpr unsigned int kAssignedShift = 24;
inline constexpr unsigned int kNeedsCarriedFactor = 1U << 26U;

// For one column and each channel, the last row that assigned the channel
// (-1 for none) and the value it assigned, limited to 0..255: among the
// pixels that do not need the carried factor, and without the last pixel of
// the columns rendered. The record's channels after a render come from these.
struct LastAssigned {
    int row[3];
    double value[3];
};

struct KernelOutput {
    unsigned int* pixel = nullptr;   // column by column, top to bottom
    LastAssigned* column = nullptr;  // one for every column
};

// Runs the kernel over columns [column_begin, column_end).
using KernelRun = void (*)(const KernelInput& input, const KernelOutput& output, int column_begin,
                           int column_end);

// Fills table[n * padded_rows + row] with the factor `selector` for n = 1..99
// and every padded row of y (a formula of n and ci that cannot fail).
using RowTableFill = void (*)(int selector, const double* y, int padded_rows, double* table);

}  // namespace seedscape
