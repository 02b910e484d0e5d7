#pragma once

#include <QDoubleSpinBox>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>
#include <vector>

#include "app/editing/edit_actions.h"
#include "app/editing/hand_set_fields.h"
#include "app/editing/thumbnail_chooser.h"
#include "recipe/recipe.h"

namespace seedscape {

// The panel's Edit section: the colour scheme and the two factor formulas
// chosen from small pictures, the multipliers dn1..dn3 and the four values of
// the grading, each a spin box beside a slider that cannot leave the value's
// range, and Reset to seed. It shows the current picture's fields and emits
// one edit per finished gesture: a spin, a value typed and entered, a slider
// let go. Undo and redo sit at its top. It knows nothing of the window.
class EditSection : public QWidget {
    Q_OBJECT

  public:
    EditSection(const EditActions& actions, QWidget* parent);

    // Shows `recipe`'s fields; emits nothing.
    void Show(const Recipe& recipe);

  signals:
    // The fields after one gesture; they differ from those shown.
    void fieldsEdited(const seedscape::HandSetFields& fields);

  private:
    struct Multiplier {
        int index;  // in SettableFields()
        QSpinBox* spin;
        QSlider* slider;
    };
    struct GradingControl {
        double Grading::*member;
        double steps;  // slider steps a unit
        QDoubleSpinBox* spin;
        QSlider* slider;
    };

    void AddChooser(const QString& heading, const char* field);
    void AddMultiplier(const char* name);
    void AddGrading(const char* name, double Grading::*member, int decimals);
    void SetMultiplier(const Multiplier& control, int value);
    void SetGrading(const GradingControl& control, double value);
    void Emit(const HandSetFields& fields);

    Recipe shown_;
    std::vector<Multiplier> multipliers_;
    std::vector<GradingControl> grading_;
    std::vector<ThumbnailChooser*> choosers_;
};

}  // namespace seedscape
