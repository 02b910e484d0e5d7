#pragma once

#include <functional>
#include <string>

#include "cli/command_line.h"
#include "recipe/recipe.h"
#include "state/image_state.h"

namespace seedscape::cli {

// Seconds since local midnight, with their fraction: the clock start-up reads.
double SecondsSinceLocalMidnight();

// The seed start-up draws: from a fresh generator seeded with the clock.
int SeedFromClock(float seconds_since_midnight);

// The recipe of the picture the options ask for, with a seed drawn from
// `clock_seconds` when none was given.
Recipe RequestedRecipe(const RenderOptions& options, float clock_seconds);

// What --params prints for a recipe: the image mother's record with the
// recipe's parameters, and f the last press's magnification (5 without one).
ImageState ParametersRecord(const Recipe& recipe);

// Renders the picture a recipe names, at its scale and supersampling, and
// writes it to `path`: a PNG carrying the recipe, or a PPM. `progress` is
// told the share done, 0 to 1. Returns "" or why the file could not be
// written; then nothing is left at `path` that was not there before.
std::string WritePicture(const Recipe& recipe, const std::string& path, ImageFormat format,
                         const std::function<void(double done)>& progress);

}  // namespace seedscape::cli
