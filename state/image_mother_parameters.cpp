#include "state/image_mother_parameters.h"

#include <cmath>

#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

// Products and sums are taken in double precision from the float draw.
double Next(RandomGenerator& random) {
    return static_cast<double>(random.Draw());
}

// floor(draw * count + lowest): each whole number of the range equally likely.
double DrawWhole(RandomGenerator& random, WholeRange range) {
    return std::floor(Next(random) * static_cast<double>(range.Count()) +
                      static_cast<double>(range.lowest));
}

// draw * width + lowest: adding -1.5 rounds exactly as subtracting 1.5 does.
double DrawReal(RandomGenerator& random, RealRange range) {
    return Next(random) * range.Width() + range.lowest;
}

}  // namespace

void DrawSeed(ImageState& state, RandomGenerator& random) {
    state.seed = DrawWhole(random, kSeedRange);
}

void DrawParametersFromSeed(ImageState& state, RandomGenerator& random) {
    random.Reset();
    random.Seed(state.seed);
    state.di = 0;
    state.dj = 0;
    state.bblack = 0;
    state.sir = 290;
    state.vis = 210;
    state.cr = DrawReal(random, kPlaneConstantRange);
    state.ci = DrawReal(random, kPlaneConstantRange);
    state.fak01 = DrawWhole(random, kFactorFormulaRange);
    state.fak02 = DrawWhole(random, kFactorFormulaRange);
    state.barva = DrawWhole(random, kColourSchemeRange);
    state.f = kStartMagnification;
    RandomizeFormula(state, random);
    state.zoomx1 = std::floor(state.sir / 4.0);
    state.zoomx2 = 2;
    state.zoomy1 = std::floor(state.vis / 4.0);
    state.zoomy2 = 2;
}

void RandomizeFormula(ImageState& state, RandomGenerator& random) {
    state.dn1 = DrawWhole(random, kMultiplierRange);
    state.dn2 = DrawWhole(random, kMultiplierRange);
    state.dn3 = DrawWhole(random, kMultiplierRange);
    state.xt1 = DrawReal(random, kReferencePointRange);
    state.yt1 = DrawReal(random, kReferencePointRange);
    state.xt2 = DrawReal(random, kReferencePointRange);
    state.yt2 = DrawReal(random, kReferencePointRange);
    state.xt3 = DrawReal(random, kReferencePointRange);
    state.yt3 = DrawReal(random, kReferencePointRange);
    state.faktor1 = DrawWhole(random, kFaktor1Range);
}

ImageState ImageMotherRecord(double seed) {
    ImageState state;
    SetStartUpSelectors(state);
    state.seed = seed;
    RandomGenerator random;
    DrawParametersFromSeed(state, random);
    return state;
}

void NewImageMotherParameters(ImageState& state, RandomGenerator& random) {
    DrawSeed(state, random);
    DrawParametersFromSeed(state, random);
}

}  // namespace seedscape
