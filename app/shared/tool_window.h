#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace seedscape {

// Where a tool window of `size` opens beside the main window's frame
// `main_frame`: to its right when it fits on the screen's `available` area,
// else over the main window; either way moved in so that it lies wholly on
// that area (its top left corner first, when it is larger than the area).
QPoint PlaceBeside(const QRect& main_frame, const QSize& size, const QRect& available);

// Escape and Ctrl+W close `window`, as desktop tool windows do.
void AddCloseKeys(QWidget* window);

// Moves `window` beside `main`, on the screen that holds `main`, and makes
// it no larger than that screen's free area.
void OpenBeside(QWidget* window, const QWidget* main);

}  // namespace seedscape
