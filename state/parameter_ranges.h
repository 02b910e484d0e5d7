#pragma once

namespace seedscape {

// Whole numbers from `lowest` to `highest`, both included.
struct WholeRange {
    int lowest;
    int highest;

    constexpr bool Holds(long long value) const { return value >= lowest && value <= highest; }
    constexpr int Count() const { return highest - lowest + 1; }
};

// Real numbers from `lowest` up to but not including `below`.
struct RealRange {
    double lowest;
    double below;

    constexpr bool Holds(double value) const { return value >= lowest && value < below; }
    constexpr double Width() const { return below - lowest; }
};

// Real numbers from `lowest` to `highest`, both included.
struct ClosedRange {
    double lowest;
    double highest;

    constexpr bool Holds(double value) const { return value >= lowest && value <= highest; }
};

// The seed that names an image mother.
inline constexpr WholeRange kSeedRange{1, 1000000};

// The magnification f of the next image child, and the one it starts at: at
// start-up, for every new mother, and for a press that names none.
inline constexpr WholeRange kMagnificationRange{1, 100};
inline constexpr int kStartMagnification = 5;

// The ranges the seed's draws cover, which are also the values a recipe may
// set by hand.
inline constexpr RealRange kPlaneConstantRange{-1.5, 1.5};  // cr, ci
inline constexpr WholeRange kFactorFormulaRange{1, 25};     // fak01, fak02
inline constexpr WholeRange kColourSchemeRange{1, 22};      // barva
inline constexpr WholeRange kMultiplierRange{1, 30};        // dn1, dn2, dn3
inline constexpr RealRange kReferencePointRange{-1, 1};     // xt1, yt1, ..., yt3
inline constexpr WholeRange kFaktor1Range{80, 119};         // faktor1, which nothing reads

// Factor formula 9 repeats formula 8, so the two selectors draw one picture.
constexpr bool SameFactorFormula(int a, int b) {
    const auto eight = [](int selector) { return selector == 8 || selector == 9; };
    return a == b || (eight(a) && eight(b));
}

}  // namespace seedscape
