#include "state/image_mother_parameters.h"

#include <cmath>

namespace seedscape {

namespace {

// Products and sums are taken in double precision from the float draw.
double Next(RandomGenerator& random) {
    return static_cast<double>(random.Draw());
}

}  // namespace

void DrawSeed(ImageState& state, RandomGenerator& random) {
    state.seed = std::floor(Next(random) * 1000000.0 + 1.0);
}

void DrawParametersFromSeed(ImageState& state, RandomGenerator& random) {
    random.Reset();
    random.Seed(state.seed);
    state.di = 0;
    state.dj = 0;
    state.bblack = 0;
    state.sir = 290;
    state.vis = 210;
    state.cr = Next(random) * 3.0 - 1.5;
    state.ci = Next(random) * 3.0 - 1.5;
    state.fak01 = std::floor(Next(random) * 25.0 + 1.0);
    state.fak02 = std::floor(Next(random) * 25.0 + 1.0);
    state.barva = std::floor(Next(random) * 22.0 + 1.0);
    state.f = 5;
    RandomizeFormula(state, random);
    state.zoomx1 = std::floor(state.sir / 4.0);
    state.zoomx2 = 2;
    state.zoomy1 = std::floor(state.vis / 4.0);
    state.zoomy2 = 2;
}

void RandomizeFormula(ImageState& state, RandomGenerator& random) {
    state.dn1 = std::floor(Next(random) * 30.0 + 1.0);
    state.dn2 = std::floor(Next(random) * 30.0 + 1.0);
    state.dn3 = std::floor(Next(random) * 30.0 + 1.0);
    state.xt1 = Next(random) * 2.0 - 1.0;
    state.yt1 = Next(random) * 2.0 - 1.0;
    state.xt2 = Next(random) * 2.0 - 1.0;
    state.yt2 = Next(random) * 2.0 - 1.0;
    state.xt3 = Next(random) * 2.0 - 1.0;
    state.yt3 = Next(random) * 2.0 - 1.0;
    state.faktor1 = std::floor(Next(random) * 40.0 + 80.0);
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
