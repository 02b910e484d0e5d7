#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "breed/variations.h"
#include "recipe/recipe.h"

namespace seedscape {

class VariantRenderer;
class VariantTile;

// One generation of breeding: the picture in the centre and the settings its
// eight variants were bred with (settings.generation is its number).
struct Generation {
    Recipe centre;
    BreedSettings settings;
};

// A window of its own beside the main one, for steering by choosing: the
// current picture in the centre of a 3 x 3 grid and eight variants of it
// around. A click on a variant makes it the centre and breeds the next
// generation; locks keep groups of parameters, the strength sets how far
// the continuous ones move. Every variant is an exact recipe, bred by
// BreedVariants from the centre and the settings alone: the main window's
// generator is never touched. What is to become of a picture there, the
// window only asks for, by its signals.
class VariationsWindow : public QWidget {
    Q_OBJECT

  public:
    // The variants' places, 0 to 7, and the centre's.
    static constexpr int kCentre = kVariantsPerGeneration;

    // A window of its own that goes when `parent` goes.
    explicit VariationsWindow(QWidget* parent);
    ~VariationsWindow() override;

    // Shows the window with `picture` in the centre and its first
    // generation around it, after the generations so far. When `picture`
    // is the one the window last started from, or the centre already, the
    // window only comes to the front: the breeding so far stays.
    void Open(const Recipe& picture);

    const Generation& current() const { return generations_[current_]; }
    // The recipe at a place, or nothing (a variant when every group is
    // locked).
    std::optional<Recipe> RecipeAt(int place) const;
    const std::vector<Recipe>& variants() const { return variants_; }
    const QImage& PictureAt(int place) const;
    // Whether every picture of the generation is on screen.
    bool drawn() const { return waiting_ == 0; }

    // The variant becomes the centre of the next generation; what was ahead
    // of the current generation is dropped, as a browser does.
    void BreedFrom(int place);
    void GoBack();
    void GoForward();
    bool CanGoBack() const { return current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < generations_.size(); }

  signals:
    // Every picture of the generation shown is drawn.
    void generationDrawn();
    // A picture's parameters are to be the main window's image mother.
    void motherRequested(const seedscape::Recipe& recipe);
    void favouriteRequested(const seedscape::Recipe& recipe);

  protected:
    void showEvent(QShowEvent* event) override;
    // The pointer gone from the window, or the window hidden, the recipe
    // line goes back to the centre's.
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildControls();
    VariantTile* MakeTile(int place);
    // Breeds the current generation and shows it: its recipes at once, the
    // pictures as the renderer delivers them.
    void ShowGeneration();
    void ShowDrawnPicture(quint64 request, int index, const QImage& picture);
    // The locks and strength of the controls into the current generation.
    void ApplyControls();
    void ShowRecipeLine(int place);
    void UseAsMother(int place);
    void AddToFavourites(int place);
    void CopyRecipe(int place);

    std::vector<Generation> generations_;
    std::size_t current_ = 0;
    std::vector<Recipe> variants_;
    Recipe opened_from_;
    std::array<VariantTile*, kVariantsPerGeneration + 1> tiles_ = {};
    // The centre's picture, kept when the centre stays (new locks) or was
    // a variant already drawn.
    std::optional<Recipe> centre_drawn_for_;
    // What the renderer was asked for: request number, places by index.
    quint64 request_ = 0;
    std::vector<int> requested_places_;
    int waiting_ = 0;

    std::array<QCheckBox*, kParameterGroups> locks_ = {};
    QComboBox* strength_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QLabel* generation_label_ = nullptr;
    QLabel* recipe_line_ = nullptr;
    QLabel* message_ = nullptr;
    std::unique_ptr<VariantRenderer> renderer_;
};

}  // namespace seedscape
