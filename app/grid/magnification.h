#pragma once

#include "app/grid/canvas.h"
#include "state/image_state.h"

namespace seedscape {

// "+": f walks up the ladder 1, 2, ..., 10, 12, ..., 30, 35, ..., 50, 60, ..., 100.
void IncreaseMagnification(ImageState& state);

// "--": f walks down the same ladder, never below 1.
void ReduceMagnification(ImageState& state);

// The indicator's grey box spans x 8 to IndicatorRight(canvas), y 9 to 23.
int IndicatorRight(const Canvas& canvas);

// Paints the grey box in the upper left corner and prints f on it.
void ShowMagnification(const ImageState& state, Canvas& canvas);

}  // namespace seedscape
