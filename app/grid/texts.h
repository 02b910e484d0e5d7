#pragma once

#include <QString>
#include <array>

#include "app/grid/canvas.h"
#include "state/image_state.h"

namespace seedscape {

using HelpLines = std::array<QString, 11>;

// A number as the window prints it: one leading blank in the place of the
// sign, then the digits (" 5", " 483920"); a negative number shows its "-".
QString NumberText(double value);

// Fills the eleven help lines; prints nothing.
void LoadHelpText(HelpLines& helplines);

// Paints a white band over the grid place (0, 220) and prints the help lines.
void ShowHelpScreen(const HelpLines& helplines, Canvas& canvas);

// "seedscape, seed 483920": the line under every image mother. A mother
// with parameters set by hand is no longer what its seed draws, and says so:
// "seed 483920, varied".
QString CreditText(const ImageState& state, bool varied = false);

// Paints the grey credit band over the image mother's lower rows and prints
// the seed, so that any image seen can be made again with
// `seedscape-render --seed N` (and a varied one with its recipe).
void PrintCredit(const ImageState& state, Canvas& canvas, bool varied = false);

}  // namespace seedscape
