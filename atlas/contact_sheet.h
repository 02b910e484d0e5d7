#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "atlas/sheet_layout.h"
#include "recipe/recipe.h"

namespace seedscape {

// A contact sheet's file: one PNG of its pictures (see sheet_layout.h).
//
// A sheet is not one picture, so it carries no recipe chunk. Instead its
// pictures' recipes are listed in one tEXt chunk with this keyword, one
// recipe a line, in the order of the pictures (left to right, then down).
inline constexpr char kContactSheetKeyword[] = "seedscape-atlas";

// The longest list a sheet's reader takes: room for the most pictures with
// recipes of hundreds of presses, and a bound on what an untrusted file can
// make it read.
inline constexpr std::size_t kLongestSheetList = 8 * 1024 * 1024;

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
// is not a sound PNG, a PNG without the list, or with a list that is damaged,
// given twice or longer than kLongestSheetList gives a reason.
SheetReading ReadContactSheet(const std::string& path);

}  // namespace seedscape
