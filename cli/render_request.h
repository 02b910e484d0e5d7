#pragma once

#include "cli/command_line.h"
#include "render/pixel_image.h"
#include "state/image_state.h"

namespace seedscape::cli {

// Seconds since local midnight, with their fraction: the clock start-up reads.
double SecondsSinceLocalMidnight();

// The seed start-up draws: a fresh generator seeded with the clock reading.
void DrawSeedFromClock(ImageState& state, float seconds_since_midnight);

// The record of the image the options ask for, ready to render: start-up's
// selectors, the given seed (or one drawn from `clock_seconds`), that seed's
// parameters, then every --set in order. For a press, f is its magnification,
// as if "+" and "--" had been used before pressing.
ImageState PrepareImageState(const RenderOptions& options, float clock_seconds);

// Renders what the options ask for into `state`, as the window would: the
// image mother at the origin, then for a press the child in the same record,
// so that what the mother's render leaves behind carries into the child.
// Returns the 291 x 211 image of the mother or of the child.
PixelImage RenderRequestedImage(ImageState& state, const RenderOptions& options);

}  // namespace seedscape::cli
