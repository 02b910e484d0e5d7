#pragma once

#include <cstddef>

namespace seedscape {

// Every image is 291 x 211 pixels: columns 0 to sir = 290, rows 0 to vis = 210.
inline constexpr int kImageWidth = 291;
inline constexpr int kImageHeight = 211;

// The window's 3 x 3 grid of image places, 300 pixels apart across and 220
// down, so that 9 blank pixels separate neighbouring images. The image mother
// holds the top left place.
inline constexpr int kTileStepX = 300;
inline constexpr int kTileStepY = 220;
inline constexpr int kGridColumns = 3;
inline constexpr int kGridRows = 3;
inline constexpr int kGridPlaces = kGridColumns * kGridRows;

// The room the whole grid needs: 891 x 651 pixels.
inline constexpr int kCanvasWidth = (kGridColumns - 1) * kTileStepX + kImageWidth;
inline constexpr int kCanvasHeight = (kGridRows - 1) * kTileStepY + kImageHeight;

// The top left corner of a place, numbered row by row from 0 (the mother's)
// to 8.
struct TilePlace {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(TilePlace, TilePlace) = default;
};

constexpr TilePlace PlaceNumber(int index) {
    return {index % kGridColumns * kTileStepX, index / kGridColumns * kTileStepY};
}

// The number of the place whose corner is (x, y), or -1 when none is.
constexpr int PlaceIndexAt(int x, int y) {
    for (int index = 0; index < kGridPlaces; ++index) {
        if (PlaceNumber(index) == TilePlace{x, y}) return index;
    }
    return -1;
}

// The place the next child is drawn in after the picture at `place`: the next
// one along the row, then the first of the row below; after the last place
// the one right of the mother, so a child never covers the mother. A corner
// right of x = 700 lies past the last column, one below y = 500 past the
// last row.
constexpr TilePlace NextChildPlace(TilePlace place) {
    place.x += kTileStepX;
    if (place.x > 700) {
        place.x = 0;
        place.y += kTileStepY;
    }
    if (place.y > 500) return {kTileStepX, 0};
    return place;
}

// The place of the picture drawn after `children` children since the image
// mother: the mother's own when there are none.
constexpr TilePlace PlaceAfterChildren(std::size_t children) {
    TilePlace place;
    for (std::size_t k = 0; k < children; ++k) place = NextChildPlace(place);
    return place;
}

}  // namespace seedscape
