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

class ThumbnailGrid;
class ThumbnailRenderer;
struct ThumbnailJob;
struct Thumbnail;

// A window of small image mothers to look at side by side: the next ones of
// the chain, a run of seeds, a random draw or the favourites. The pictures
// render in the background, those in view first, and more are listed as the
// list is scrolled. A click asks for a picture to be made the main window's
// image mother; the context menu, F or Ctrl+D ask for it to be kept among
// the favourites. The window that opens the atlas answers those signals and
// tells it of its mother and favourites.
class AtlasWindow : public QWidget {
    Q_OBJECT

  public:
    enum class SourceKind { kChain, kFromSeed, kRandom, kFavourites };

    // A window of its own that goes when `parent` goes; "Next in the
    // chain" starts after `mother_seed`. `render_threads` 0: one per core.
    AtlasWindow(QWidget* parent, int mother_seed, int render_threads = 0);
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

    // The main window shows another mother: "Next in the chain" follows it.
    void FollowMother(int seed);
    // What "Favourites" lists, told again whenever they change.
    void SetFavourites(const std::vector<Recipe>& favourites);

  signals:
    // A picture has been drawn; `full` at 1x.
    void thumbnailArrived(const seedscape::Recipe& recipe, const QImage& full);
    // A plain image mother was chosen: its seed, to be drawn as "new" would.
    void seedChosen(int seed);
    // Any other picture was chosen, to be drawn with its mother and every
    // child before it.
    void recipeChosen(const seedscape::Recipe& recipe);
    void favouriteRequested(const seedscape::Recipe& recipe);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void ShowChosenSource();
    // Starts the list over from the chosen source; `keep_place` keeps the
    // scroll position (the favourites changed, not the choice).
    void Rebuild(bool keep_place = false);
    // Lists enough pictures to fill the view and one screen beyond it, then
    // asks for the pictures that are missing, those in view first.
    void FillView();
    void KeepThumbnail(const ThumbnailJob& job, const Thumbnail& thumbnail);
    const QImage* KeptThumbnail(int index);
    void ShowStatus();
    void ChooseRecipe(const Recipe& recipe);
    void AddRecipeToFavourites(const Recipe& recipe);

    SourceKind kind_ = SourceKind::kChain;
    int mother_seed_;  // the main window's, for "Next in the chain"
    std::vector<Recipe> favourites_;
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
