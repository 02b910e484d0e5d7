#include "app/panel/window_fit.h"

#include <algorithm>

#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// The panel stands right of the grid, as far from it as the grid's places
// are from each other, and beyond the canvas: the grid keeps every pixel.
constexpr int kPanelGap = kTileStepX - kImageWidth;
constexpr int kPanelWidth = 230;
constexpr int kPanelHeight = 760;  // the panel's room when the grid is shorter

int PanelRoomWidth(bool panel_shown) {
    return panel_shown ? kPanelGap + kPanelWidth + kPanelGap : 0;
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

QRect PanelGeometry(int zoom, int window_height, int margin) {
    return {kCanvasWidth * zoom + kPanelGap, margin, kPanelWidth, window_height - 2 * margin};
}

}  // namespace seedscape
