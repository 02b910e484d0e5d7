#pragma once

#include <functional>

#include "render/drawing_surface.h"
#include "state/grid_geometry.h"
#include "state/image_state.h"

namespace seedscape {

// True when a press at (x, y) lies on the image mother (x <= 290, y <= 210).
bool IsOnImageMother(double x, double y);

// Moves the tile offset to the next place for a child: right, then down, and
// after the last place back to (300, 0); never the image mother's (0, 0).
void AdvanceTileOffset(ImageState& state);

// A render pass: RenderImage, or the fast one that draws the same pixels.
using RenderPass = std::function<void(ImageState&, DrawingSurface&)>;

// A mouse press at (x, y): if it lies on the image mother, recentres the view
// on it, advances the tile offset, magnifies the view by f, renders the child
// with `pass` and restores the base view. Returns whether a child was drawn;
// the caller then redraws the magnification indicator.
bool RenderImageChild(ImageState& state, DrawingSurface& surface, float x, float y,
                      const RenderPass& pass);

}  // namespace seedscape
