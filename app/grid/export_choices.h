#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "app/grid/grid_pictures.h"
#include "recipe/recipe.h"

namespace seedscape {

// What the export dialog offers: the latest picture first, then each
// picture of the grid by its place, each with its name.
std::vector<std::pair<QString, Recipe>> ExportChoices(const GridPictures& pictures);

}  // namespace seedscape
