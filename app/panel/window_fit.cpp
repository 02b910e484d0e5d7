#include "app/panel/window_fit.h"

#include <algorithm>

#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// The panel stands right of the grid, as far from it as the grid's places
// are from each other, and beyond the canvas: the grid keeps every pixel.
constexpr int kPanelGap = kTileStepX - kImageWidth;
constexpr int kPanelWidth = 230;
constexpr int kPanelHeight = 830;  // the panel's room when the grid is shorter
constexpr QSize kMenuButton(24, 17);

// Right of the grid: the panel, or with it hidden the menu button alone.
int PanelRoomWidth(bool panel_shown) {
    return kPanelGap + (panel_shown ? kPanelWidth : kMenuButton.width()) + kPanelGap;
}

}  // namespace

QSize WantedWindowSize(int zoom, bool panel_shown) {
    const int width = kCanvasWidth * zoom + PanelRoomWidth(panel_shown);
    const int height = std::max(kCanvasHeight * zoom, panel_shown ? kPanelHeight : 0);
    return {width, height};
}

int LargestZoomThatFits(QSize room, bool panel_shown) {
    for (int zoom = kLargestZoom; zoom > 1; --zoom) {
        const bool fits = kCanvasWidth * zoom + PanelRoomWidth(panel_shown) <= room.width() &&
                          kCanvasHeight * zoom <= room.height();
        if (fits) return zoom;
    }
    return 1;
}

QSize FittedWindowSize(int zoom, bool panel_shown, QSize room) {
    return WantedWindowSize(zoom, panel_shown).boundedTo(room);
}

QRect MenuButtonGeometry(int zoom, int top) {
    return {QPoint(kCanvasWidth * zoom + kPanelGap, top), kMenuButton};
}

QRect PanelGeometry(int zoom, int window_height, int margin) {
    const int top = MenuButtonGeometry(zoom, margin).bottom() + 1 + margin / 2;
    return {kCanvasWidth * zoom + kPanelGap, top, kPanelWidth, window_height - top - margin};
}

}  // namespace seedscape
