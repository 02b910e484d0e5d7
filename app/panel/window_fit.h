#pragma once

#include <QRect>
#include <QSize>

#include "app/shared/zoom.h"

namespace seedscape {

// How the main window sits on its screen: the grid at a whole zoom in the
// top left corner, the panel to its right. The window never asks for more
// than the room the screen gives it; a short window makes the panel scroll.

// What the window would like at `zoom`: the grid, and beside it the panel
// with its usual height when `panel_shown`.
QSize WantedWindowSize(int zoom, bool panel_shown);

// The largest zoom, from 1 to kLargestZoom, at which the grid and the
// panel's width fit in `room`. 1 when even that does not fit: the grid is
// never drawn smaller.
int LargestZoomThatFits(QSize room, bool panel_shown);

// The window at `zoom`, cut to `room`: the panel gives up height first.
QSize FittedWindowSize(int zoom, bool panel_shown, QSize room);

// Where the menu of every action goes at `zoom`: right of the grid, level
// with the button row at `top`, outside the canvas so that the grid keeps
// every pixel and every press; it stays with the panel hidden.
QRect MenuButtonGeometry(int zoom, int top);

// Where the panel goes in a window of `window_height` at `zoom`: beside the
// grid under the menu button, `margin` from the window's bottom.
QRect PanelGeometry(int zoom, int window_height, int margin);

}  // namespace seedscape
