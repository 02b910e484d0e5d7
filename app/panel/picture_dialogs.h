#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "recipe/recipe.h"

class QFileDialog;

namespace seedscape {

// Each dialog starts in the folder of the last file saved, exported or
// opened, and keeps the folder of the file it returns.

// Asks where to save `recipe`'s picture, offering the pictures folder and a
// name after its seed, child and scale: a path ending in .png, or empty
// when cancelled.
QString AskSavePath(QWidget* parent, const Recipe& recipe);

// Asks which of `choices` to export, at what size and where: the recipe to
// export and the path, or nothing when cancelled.
std::optional<std::pair<Recipe, QString>> AskExport(
    QWidget* parent, std::vector<std::pair<QString, Recipe>> choices);

// Asks for a PNG to open: its path, or empty when cancelled.
QString AskOpenPath(QWidget* parent);
// The dialog AskOpenPath shows: in the starting folder, the name box empty.
std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* parent);

}  // namespace seedscape
