#include "app/editing/edit_section.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <cmath>

#include "recipe/grading_fields.h"
#include "recipe/settable_fields.h"

namespace seedscape {

namespace {

QLabel* Heading(const QString& text, QWidget* parent, bool bold = true) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QWidget* Row(QWidget* slider, QWidget* spin, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider, 1);
    layout->addWidget(spin);
    return row;
}

}  // namespace

EditSection::EditSection(const EditActions& actions, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EditSection"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Heading(tr("Edit"), this));
    auto* undo_row = new QWidget(this);
    auto* undo_layout = new QHBoxLayout(undo_row);
    undo_layout->setContentsMargins(0, 0, 0, 0);
    for (QAction* action : {actions.undo, actions.redo}) {
        auto* button = new QToolButton(undo_row);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setObjectName(action->objectName() + QStringLiteral("Button"));
        undo_layout->addWidget(button);
    }
    layout->addWidget(undo_row);
    AddChooser(tr("Scheme"), "barva");
    AddChooser(tr("Formula fak01"), "fak01");
    AddChooser(tr("Formula fak02"), "fak02");
    layout->addWidget(Heading(tr("Multipliers"), this));
    for (const char* name : {"dn1", "dn2", "dn3"}) AddMultiplier(name);
    layout->addWidget(Heading(tr("Grading"), this));
    AddGrading("hue", &Grading::hue, 0);
    AddGrading("saturation", &Grading::saturation, 2);
    AddGrading("exposure", &Grading::exposure, 2);
    AddGrading("gamma", &Grading::gamma, 2);
    auto* reset = new QPushButton(tr("Reset to seed"), this);
    reset->setObjectName(QStringLiteral("ResetToSeed"));
    reset->setToolTip(tr("Every field back to the seed's own value, the grading off"));
    layout->addWidget(reset);
    connect(reset, &QPushButton::clicked, this, [this] { Emit(HandSetFields{}); });
}

void EditSection::AddChooser(const QString& heading, const char* field) {
    auto* chooser = new ThumbnailChooser(field, this);
    qobject_cast<QVBoxLayout*>(layout())->addWidget(Heading(heading, this, false));
    qobject_cast<QVBoxLayout*>(layout())->addWidget(chooser);
    choosers_.push_back(chooser);
    connect(chooser, &ThumbnailChooser::valueChosen, this, [this](int index, int value) {
        HandSetFields fields = HandSetFieldsOf(shown_);
        fields.overrides[static_cast<std::size_t>(index)] = value;
        Emit(fields);
    });
}

void EditSection::AddMultiplier(const char* name) {
    const int index = SettableFieldIndex(name);
    const SettableField& field = SettableFields()[static_cast<std::size_t>(index)];
    const int lowest = static_cast<int>(field.lowest);
    const int highest = static_cast<int>(field.highest);
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(lowest, highest);
    // A typed number counts once entered, not digit by digit.
    spin->setKeyboardTracking(false);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name) + QStringLiteral("Slider"));
    slider->setRange(lowest, highest);
    // A drag of the slider is one edit, when it is let go.
    slider->setTracking(false);
    const QString tip =
        tr("%1, %2").arg(QString::fromLatin1(name), QString::fromStdString(DescribeRange(field)));
    spin->setToolTip(tip);
    slider->setToolTip(tip);
    qobject_cast<QVBoxLayout*>(layout())->addWidget(
        Heading(QString::fromLatin1(name), this, false));
    qobject_cast<QVBoxLayout*>(layout())->addWidget(Row(slider, spin, this));
    multipliers_.push_back({index, spin, slider});
    const Multiplier control = multipliers_.back();
    connect(slider, &QSlider::sliderMoved, spin, [spin](int value) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value);
    });
    connect(slider, &QSlider::valueChanged, this,
            [this, control](int value) { SetMultiplier(control, value); });
    connect(spin, &QSpinBox::valueChanged, this,
            [this, control](int value) { SetMultiplier(control, value); });
}

void EditSection::AddGrading(const char* name, double Grading::*member, int decimals) {
    const GradingField* field = FindGradingField(name);
    const double steps = std::pow(10.0, decimals);
    auto* spin = new QDoubleSpinBox(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setDecimals(decimals);
    spin->setRange(field->range.lowest, field->range.highest);
    spin->setSingleStep(decimals == 0 ? 5 : 0.05);
    spin->setKeyboardTracking(false);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name) + QStringLiteral("Slider"));
    slider->setRange(static_cast<int>(std::lround(field->range.lowest * steps)),
                     static_cast<int>(std::lround(field->range.highest * steps)));
    slider->setTracking(false);
    qobject_cast<QVBoxLayout*>(layout())->addWidget(
        Heading(QString::fromLatin1(name), this, false));
    qobject_cast<QVBoxLayout*>(layout())->addWidget(Row(slider, spin, this));
    grading_.push_back({member, steps, spin, slider});
    const GradingControl control = grading_.back();
    connect(slider, &QSlider::sliderMoved, spin, [spin, steps](int value) {
        const QSignalBlocker quiet(spin);
        spin->setValue(value / steps);
    });
    connect(slider, &QSlider::valueChanged, this,
            [this, control](int value) { SetGrading(control, value / control.steps); });
    connect(spin, &QDoubleSpinBox::valueChanged, this,
            [this, control](double value) { SetGrading(control, value); });
}

void EditSection::SetMultiplier(const Multiplier& control, int value) {
    if (FieldValue(shown_, control.index) == value) return;
    HandSetFields fields = HandSetFieldsOf(shown_);
    const SettableField& field = SettableFields()[static_cast<std::size_t>(control.index)];
    fields.overrides[static_cast<std::size_t>(control.index)] = field.as_stored(value);
    Emit(fields);
}

void EditSection::SetGrading(const GradingControl& control, double value) {
    if (shown_.grading.*control.member == value) return;
    HandSetFields fields = HandSetFieldsOf(shown_);
    fields.grading.*control.member = value;
    Emit(fields);
}

void EditSection::Emit(const HandSetFields& fields) {
    if (fields == HandSetFieldsOf(shown_)) return;
    emit fieldsEdited(fields);
}

void EditSection::Show(const Recipe& recipe) {
    shown_ = recipe;
    for (ThumbnailChooser* chooser : choosers_) chooser->Show(recipe);
    for (const Multiplier& control : multipliers_) {
        const int value = static_cast<int>(FieldValue(recipe, control.index));
        const QSignalBlocker quiet_spin(control.spin);
        const QSignalBlocker quiet_slider(control.slider);
        control.spin->setValue(value);
        control.slider->setValue(value);
    }
    for (const GradingControl& control : grading_) {
        const double value = recipe.grading.*control.member;
        const QSignalBlocker quiet_spin(control.spin);
        const QSignalBlocker quiet_slider(control.slider);
        control.spin->setValue(value);
        control.slider->setValue(static_cast<int>(std::lround(value * control.steps)));
    }
}

}  // namespace seedscape
