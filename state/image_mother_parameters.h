#pragma once

#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// Draws the seed of the next image mother into `seed`.
void DrawSeed(ImageState& state, RandomGenerator& random);

// Resets and re-seeds the generator with `seed`, sets the base view and draws
// every per-image parameter in its fixed order.
void DrawParametersFromSeed(ImageState& state, RandomGenerator& random);

// The ten formula draws: dn1..dn3, the three reference points, faktor1.
void RandomizeFormula(ImageState& state, RandomGenerator& random);

// The record of the image mother of `seed` as the window holds it after
// start-up and drawing that seed, ready to render.
ImageState ImageMotherRecord(double seed);

// A new image mother's parameters: DrawSeed, then DrawParametersFromSeed.
void NewImageMotherParameters(ImageState& state, RandomGenerator& random);

}  // namespace seedscape
