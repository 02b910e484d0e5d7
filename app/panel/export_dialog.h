#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <optional>
#include <vector>

#include "app/panel/window_settings.h"
#include "recipe/recipe.h"

namespace seedscape {

// Asks which picture to export and at what size: the scale K (kScaleRange) and
// the supersampling S (kSupersampleRange, with K S at most kLargestSamplesPerSide), showing the
// size that results in pixels and megabytes.
class ExportDialog : public QDialog {
    Q_OBJECT

  public:
    // `pictures` are the choices, the latest picture first, each with its name.
    ExportDialog(std::vector<std::pair<QString, Recipe>> pictures, QWidget* parent = nullptr);

    // The chosen picture's recipe with the chosen scale and supersampling.
    Recipe Chosen() const;

    // The choices as they were last left: the picture only when one of that
    // name is offered.
    void Restore(const ExportSettings& settings);
    ExportSettings Settings() const;

    // "4656 x 3376 pixels, 47.2 MB" for an export at `scale`.
    static QString SizeText(int scale);

  private:
    void Update();

    std::vector<std::pair<QString, Recipe>> pictures_;
    QComboBox* picture_;
    QSpinBox* scale_;
    QSpinBox* supersample_;
    QLabel* size_;
    // Why a maximum is below its range's: scale times supersampling is
    // bounded, so each limits the other.
    QLabel* limit_;
};

}  // namespace seedscape
