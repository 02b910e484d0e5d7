#pragma once

#include <functional>

#include "render/drawing_surface.h"
#include "state/grid_geometry.h"
#include "state/image_state.h"

namespace seedscape {

// True when a press at (x, y) lies on the image mother (x <= 290, y <= 210).
bool IsOnImageMother(double x, double y);

// The grid place the record's tile offset names: always a place's corner.
TilePlace TileOffset(const ImageState& state);

// Moves the tile offset to the next place for a child (NextChildPlace).
void AdvanceTileOffset(ImageState& state);

// A render pass: RenderImage, or the fast one that draws the same pixels.
using RenderPass = std::function<void(ImageState&, DrawingSurface&)>;

// A mouse press at (x, y): if it lies on the image mother, recentres the view
// on it, advances the tile offset, magnifies the view by f, renders the child
// with `pass` and restores the base view. Returns whether a child was drawn;
// the caller then redraws the magnification indicator.
bool RenderImageChild(ImageState& state, DrawingSurface& surface, float x, float y,
                      const RenderPass& pass);

// The same, with `draw` rendering the child from the record wherever it
// wants the pixels.
bool RenderImageChild(ImageState& state, float x, float y,
                      const std::function<void(ImageState&)>& draw);

}  // namespace seedscape
