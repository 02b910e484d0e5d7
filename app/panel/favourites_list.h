#pragma once

#include <QHash>
#include <QIcon>
#include <QListWidget>
#include <vector>

#include "app/shared/thumbnail_renderer.h"
#include "recipe/recipe.h"

namespace seedscape {

// The favourites in the panel: small pictures with their seeds. A click
// asks for the picture; the context menu removes one. The pictures are drawn
// in the background, those in view first, so that a long list neither holds
// up the window's start nor its clicks.
class FavouritesList : public QListWidget {
    Q_OBJECT

  public:
    explicit FavouritesList(QWidget* parent = nullptr);

    // Shows `favourites` at once, each with its picture when it has been
    // drawn, and asks for the pictures not drawn yet.
    void Show(const std::vector<Recipe>& favourites);

    // How many of the shown favourites still wait for their picture.
    int waiting() const;

  signals:
    void pictureChosen(const Recipe& recipe);
    void removeRequested(const Recipe& recipe);

  private:
    void AskForPictures();
    void KeepPicture(const ThumbnailJob& job, const Thumbnail& thumbnail);

    std::vector<Recipe> shown_;
    std::vector<QString> keys_;    // the recipes' texts, as shown_
    QHash<QString, QIcon> icons_;  // drawn so far, by key
    QIcon placeholder_;
    ThumbnailRenderer renderer_;
};

}  // namespace seedscape
