#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "atlas/label_font.h"
#include "recipe/recipe.h"
#include "state/grid_geometry.h"

namespace seedscape {

// A contact sheet: many pictures at full size, side by side in one PNG, each
// with a strip under it that names it. They are laid out like the window's
// grid, 9 blank pixels apart, `columns` to a row, rows top to bottom.
//
// A sheet is not one picture, so it carries no recipe chunk. Instead its
// pictures' recipes are listed in one tEXt chunk with this keyword, one
// recipe a line, in the order of the pictures (left to right, then down).
inline constexpr char kContactSheetKeyword[] = "seedscape-atlas";

// The most pictures one sheet takes.
inline constexpr int kMostSheetPictures = 10000;
inline constexpr int kMostSheetColumns = 100;

// The strip under each picture that holds its label.
inline constexpr int kLabelStripHeight = 20;
inline constexpr int kSheetStepX = kTileStepX;
inline constexpr int kSheetStepY = kImageHeight + kLabelStripHeight + (kTileStepX - kImageWidth);

// The window's colours: paper grey between the pictures, a lighter strip
// under each, slate text.
inline constexpr Rgb kSheetBackground = {0xE4, 0xE1, 0xDA};
inline constexpr Rgb kLabelStripColour = {0xF4, 0xF2, 0xEE};
inline constexpr Rgb kLabelInk = {0x26, 0x32, 0x40};

struct SheetPlace {
    int x = 0;  // the picture's top left corner; its label strip is below it
    int y = 0;
};

// Where the picture with number `index` (from 0) goes on a sheet of
// `columns` columns.
SheetPlace PlaceOnSheet(int index, int columns);

// The size of a sheet of `count` pictures: as many columns as there are
// pictures, up to `columns`, and as many rows as they fill.
int SheetWidth(int count, int columns);
int SheetHeight(int count, int columns);

// The label under a picture: "seed 449139", and for a child how many presses
// lead to it.
std::string SheetLabel(const Recipe& recipe);

struct SheetWriting {
    bool ok = false;
    std::string error;  // why not, for a message
};

// Draws every picture at 1x with the fast pass and writes the sheet to `path`
// as a PNG, a row of pictures at a time, so that its memory stays small
// whatever the number of pictures. The file appears whole or not at all.
// `progress` is told how many pictures are drawn after each one.
SheetWriting WriteContactSheet(const std::vector<Recipe>& recipes, int columns,
                               const std::string& path,
                               const std::function<void(int drawn, int count)>& progress = {});

// Either the recipe texts a sheet lists or why they cannot be had.
struct SheetReading {
    std::optional<std::vector<std::string>> recipes;
    std::string error;  // names the file
};

// The recipes a contact sheet lists, as written: one text a line. A file that
// cannot be read as a PNG, or a PNG without the list, gives a reason.
SheetReading ReadContactSheet(const std::string& path);

}  // namespace seedscape
