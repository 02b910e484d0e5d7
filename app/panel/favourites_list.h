#pragma once

#include <QListWidget>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// The favourites in the panel: small pictures with their seeds. A click
// asks for the picture; the context menu removes one.
class FavouritesList : public QListWidget {
    Q_OBJECT

  public:
    explicit FavouritesList(QWidget* parent = nullptr);

    // Shows `favourites`, rendering the pictures it has not shown before.
    void Show(const std::vector<Recipe>& favourites);

  signals:
    void pictureChosen(const Recipe& recipe);
    void removeRequested(const Recipe& recipe);

  private:
    std::vector<Recipe> shown_;
};

}  // namespace seedscape
