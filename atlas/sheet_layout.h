#pragma once

#include <functional>
#include <string>
#include <vector>

#include "atlas/label_font.h"
#include "recipe/recipe.h"
#include "state/grid_geometry.h"

namespace seedscape {

// A contact sheet: many pictures at full size, side by side, each with a
// strip under it that names it. They are laid out like the window's grid, 9
// blank pixels apart, `columns` to a row, rows top to bottom.

// The most pictures one sheet takes.
inline constexpr int kMostSheetPictures = 10000;
inline constexpr int kMostSheetColumns = 100;
// The tallest or widest sheet: PNG readers, libpng among them, refuse an
// image of more than a million rows or columns.
inline constexpr int kLargestSheetSide = 1000000;

// The strip under each picture that holds its label.
inline constexpr int kLabelStripHeight = 20;
inline constexpr int kSheetStepX = kTileStepX;
inline constexpr int kSheetStepY = kImageHeight + kLabelStripHeight + (kTileStepX - kImageWidth);

// The window's colours: paper grey between the pictures, a lighter strip
// under each, slate text.
inline constexpr Rgb kSheetBackground = {0xE4, 0xE1, 0xDA};
inline constexpr Rgb kLabelStripColour = {0xF4, 0xF2, 0xEE};
inline constexpr Rgb kLabelInk = {0x26, 0x32, 0x40};

// The height of the labels' letters, in pixels.
inline constexpr int kLabelPixels = 13;

struct SheetPlace {
    int x = 0;  // the picture's top left corner; its label strip is below it
    int y = 0;
};

// Where the picture with number `index` (from 0) goes on a sheet of
// `columns` columns.
SheetPlace PlaceOnSheet(int index, int columns);

// How many pictures a row of a sheet of `count` holds: `columns`, or all of
// them when they are fewer.
int SheetColumns(int count, int columns);

// The size of a sheet of `count` pictures: as many columns as there are
// pictures, up to `columns`, and as many rows as they fill.
int SheetWidth(int count, int columns);
int SheetHeight(int count, int columns);

// The label under a picture: "seed 449139", and for a child how many presses
// lead to it.
std::string SheetLabel(const Recipe& recipe);

// "" when a sheet of `count` pictures in `columns` columns can be made, else
// why not; when it would be too tall, the fewest columns that fit.
std::string CheckSheetSize(int count, int columns);

// CheckSheetSize, for these pictures.
std::string CheckSheet(const std::vector<Recipe>& recipes, int columns);

// Draws the row of pictures [first, end) at 1x with the fast pass, each with
// its label, into `band`, a sheet wide and kSheetStepY high, on the sheet's
// background; `across` is the sheet's columns. `drawn` is told the number of
// each picture once it is in.
void DrawSheetRow(const std::vector<Recipe>& recipes, int first, int end, int across,
                  const LabelFont& font, RgbImage& band, const std::function<void(int)>& drawn);

}  // namespace seedscape
