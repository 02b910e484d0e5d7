#pragma once

#include <QCache>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "atlas/atlas_sources.h"
#include "recipe/recipe.h"

namespace seedscape {

class Form1;
class ThumbnailGrid;
class ThumbnailRenderer;
struct ThumbnailJob;
struct Thumbnail;

// A window of small image mothers to look at side by side: the next ones of
// the chain, a run of seeds, a random draw or the favourites. The pictures
// render in the background, those in view first, and more are listed as the
// list is scrolled. A click makes a picture the main window's image mother;
// the context menu, F or Ctrl+D add it to the favourites.
class AtlasWindow : public QWidget {
    Q_OBJECT

  public:
    enum class SourceKind { kChain, kFromSeed, kRandom, kFavourites };

    // A window of its own that follows `form`'s mother and favourites, and
    // goes when `form` goes. `render_threads` 0: one per core.
    explicit AtlasWindow(Form1* form, int render_threads = 0);
    ~AtlasWindow() override;

    void ShowSource(SourceKind kind);
    // The first seed that "From seed" lists.
    void SetFirstSeed(int seed);
    SourceKind source_kind() const { return kind_; }

    // What the grid lists so far, in order.
    const std::vector<Recipe>& pictures() const { return pictures_; }
    ThumbnailGrid* grid() const { return grid_; }
    QScrollArea* scroll_area() const { return scroll_; }
    // How many pictures have been taken up to be drawn since the window
    // opened.
    long long PicturesStarted() const;
    // Whether the picture at `index` has been drawn and is at hand.
    bool HasThumbnail(int index) const;
    // Seed, colour scheme and factor selectors of the picture at `index`.
    QString Describe(int index) const;

    // As a click: the picture becomes the main window's.
    void Choose(int index);
    void AddFavourite(int index);

  signals:
    // A picture has been drawn; `full` at 1x.
    void thumbnailArrived(const seedscape::Recipe& recipe, const QImage& full);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void SourceChosen();
    // Starts the list over from the chosen source; `keep_place` keeps the
    // scroll position (the favourites changed, not the choice).
    void Rebuild(bool keep_place = false);
    // Lists enough pictures to fill the view and one screen beyond it, then
    // asks for the pictures that are missing, those in view first.
    void ViewChanged();
    void Arrived(const ThumbnailJob& job, const Thumbnail& thumbnail);
    const QImage* Shown(int index);
    void ShowStatus();
    void ChooseRecipe(const Recipe& recipe);
    void AddRecipeToFavourites(const Recipe& recipe);

    Form1* form_;
    SourceKind kind_ = SourceKind::kChain;
    int mother_seed_;  // the main window's, for "Next in the chain"
    std::optional<AtlasSource> source_;
    bool source_ended_ = false;
    std::vector<Recipe> pictures_;
    std::vector<QString> keys_;  // each picture's canonical recipe
    QCache<QString, QImage> shown_;

    QComboBox* source_box_;
    QSpinBox* first_seed_;
    QPushButton* draw_again_;
    QScrollArea* scroll_;
    ThumbnailGrid* grid_;
    QLabel* status_;
    std::unique_ptr<ThumbnailRenderer> renderer_;  // last: stopped first
};

}  // namespace seedscape
