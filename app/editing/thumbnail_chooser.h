#pragma once

#include <QListWidget>
#include <QString>

#include "app/shared/thumbnail_renderer.h"
#include "recipe/recipe.h"

namespace seedscape {

// A whole field's values side by side, each as a small picture of the
// current mother with that value (the 22 colour schemes, the 25 factor
// formulas): drawn in the background, those in view first. A click chooses.
class ThumbnailChooser : public QListWidget {
    Q_OBJECT

  public:
    // `field` names a whole settable field (barva, fak01, fak02).
    ThumbnailChooser(const char* field, QWidget* parent);

    // The pictures of `recipe`'s mother with each value, the current value
    // marked. Pictures already shown for the same mother are kept.
    void Show(const Recipe& recipe);

    // How many values show their picture.
    int drawn() const { return drawn_; }

  signals:
    void valueChosen(int index, int value);  // index in SettableFields()

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Recipe WithValue(int value) const;
    void AskForPictures();
    void TakePicture(const ThumbnailJob& job, const Thumbnail& thumbnail);

    int index_;
    int lowest_;
    ThumbnailRenderer renderer_;
    Recipe mother_;       // the current mother without presses
    bool asked_ = false;  // for this mother
    int drawn_ = 0;
};

}  // namespace seedscape
