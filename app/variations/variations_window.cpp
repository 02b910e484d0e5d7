#include "app/variations/variations_window.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <bit>
#include <cstdint>

#include "app/shared/tool_window.h"
#include "app/variations/variant_renderer.h"
#include "app/variations/variant_tile.h"

namespace seedscape {

namespace {

// A scroll area that asks for room for the whole grid: the window opens as
// large as the grid where the screen allows, and scrolls only where not.
class WholeGridArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() != nullptr ? widget()->sizeHint() : QScrollArea::sizeHint();
    }
};

constexpr int kTileSpacing = 6;

// Where a place sits in the 3 x 3 grid: the variants row by row around the
// centre.
int GridIndex(int place) {
    if (place == VariationsWindow::kCentre) return 4;
    return place < 4 ? place : place + 1;
}

QString LockText(ParameterGroup group) {
    switch (group) {
        case ParameterGroup::kScheme:
            return VariationsWindow::tr("Lock scheme (barva)");
        case ParameterGroup::kFactors:
            return VariationsWindow::tr("Lock factors (fak01, fak02)");
        case ParameterGroup::kPoints:
            return VariationsWindow::tr("Lock points (xt1 ... yt3)");
        case ParameterGroup::kMultipliers:
            break;
    }
    return VariationsWindow::tr("Lock multipliers (dn1 ... dn3)");
}

// The groups in which `variant` differs from `parent`, bit for bit, by
// name.
QStringList ChangedGroups(const Recipe& parent, const Recipe& variant) {
    const ImageState a = RecipeMotherRecord(parent);
    const ImageState b = RecipeMotherRecord(variant);
    const auto differs = [](double x, double y) {
        return std::bit_cast<std::uint64_t>(x) != std::bit_cast<std::uint64_t>(y);
    };
    const std::array<bool, kParameterGroups> changed = {
        differs(a.barva, b.barva), differs(a.fak01, b.fak01) || differs(a.fak02, b.fak02),
        differs(a.xt1, b.xt1) || differs(a.yt1, b.yt1) || differs(a.xt2, b.xt2) ||
            differs(a.yt2, b.yt2) || differs(a.xt3, b.xt3) || differs(a.yt3, b.yt3),
        differs(a.dn1, b.dn1) || differs(a.dn2, b.dn2) || differs(a.dn3, b.dn3)};
    QStringList names;
    for (int g = 0; g < kParameterGroups; ++g) {
        if (changed[g]) {
            names << QString::fromLatin1(GroupName(static_cast<ParameterGroup>(g)));
        }
    }
    return names;
}

}  // namespace

VariationsWindow::VariationsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), renderer_(std::make_unique<VariantRenderer>()) {
    setObjectName(QStringLiteral("VariationsWindow"));
    setWindowTitle(tr("Variations"));
    AddCloseKeys(this);
    connect(renderer_.get(), &VariantRenderer::pictureDrawn, this,
            &VariationsWindow::ShowDrawnPicture, Qt::QueuedConnection);
    BuildControls();
}

VariationsWindow::~VariationsWindow() {
    // The drawing thread stops before the tiles it delivers to go.
    renderer_.reset();
    // Closing a visible window hides its children from QWidget's destructor,
    // when this is no longer a VariationsWindow: their signals must not reach it.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void VariationsWindow::BuildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    back_ = new QPushButton(tr("Back"), this);
    back_->setObjectName(QStringLiteral("BreedBack"));
    back_->setShortcut(QKeySequence::Back);
    back_->setToolTip(
        tr("The generation before (%1)")
            .arg(QKeySequence(QKeySequence::Back).toString(QKeySequence::NativeText)));
    forward_ = new QPushButton(tr("Forward"), this);
    forward_->setObjectName(QStringLiteral("BreedForward"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setToolTip(
        tr("The generation after (%1)")
            .arg(QKeySequence(QKeySequence::Forward).toString(QKeySequence::NativeText)));
    connect(back_, &QPushButton::clicked, this, &VariationsWindow::GoBack);
    connect(forward_, &QPushButton::clicked, this, &VariationsWindow::GoForward);
    generation_label_ = new QLabel(this);
    generation_label_->setTextFormat(Qt::PlainText);
    generation_label_->setObjectName(QStringLiteral("GenerationNumber"));
    top->addWidget(back_);
    top->addWidget(forward_);
    top->addWidget(generation_label_);
    top->addStretch(1);
    // The locks on a row of their own, so that the window is as wide as the
    // grid.
    auto* lock_row = new QHBoxLayout;
    for (int g = 0; g < kParameterGroups; ++g) {
        const auto group = static_cast<ParameterGroup>(g);
        locks_[g] = new QCheckBox(LockText(group), this);
        locks_[g]->setObjectName(QStringLiteral("Lock_") + QString::fromLatin1(GroupName(group)));
        locks_[g]->setToolTip(tr("Every variant keeps the centre's values of this group"));
        connect(locks_[g], &QCheckBox::toggled, this, &VariationsWindow::ApplyControls);
        lock_row->addWidget(locks_[g]);
    }
    lock_row->addStretch(1);
    strength_ = new QComboBox(this);
    strength_->setObjectName(QStringLiteral("Strength"));
    strength_->setToolTip(tr("How far the reference points and the multipliers move"));
    for (const BreedStrength s :
         {BreedStrength::kSmall, BreedStrength::kMedium, BreedStrength::kWild}) {
        strength_->addItem(QString::fromLatin1(StrengthName(s)));
    }
    strength_->setCurrentIndex(static_cast<int>(BreedSettings{}.strength));
    connect(strength_, &QComboBox::currentIndexChanged, this, &VariationsWindow::ApplyControls);
    auto* strength_label = new QLabel(tr("Strength"), this);
    strength_label->setTextFormat(Qt::PlainText);
    top->addWidget(strength_label);
    top->addWidget(strength_);
    layout->addLayout(top);
    layout->addLayout(lock_row);

    // The tiles show every pixel at 1x, so on a screen too small for the
    // grid they scroll rather than shrink.
    auto* tiles = new QWidget;
    auto* grid = new QGridLayout(tiles);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(kTileSpacing);
    for (int place = 0; place <= kCentre; ++place) {
        tiles_[place] = MakeTile(place);
        grid->addWidget(tiles_[place], GridIndex(place) / 3, GridIndex(place) % 3);
    }
    auto* area = new WholeGridArea(this);
    area->setObjectName(QStringLiteral("VariantsArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area->setWidget(tiles);
    layout->addWidget(area, 1);

    auto* bottom = new QHBoxLayout;
    const auto add_button = [this, bottom](const char* name, const QString& text,
                                           const QString& tip, void (VariationsWindow::*job)(int)) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        connect(button, &QPushButton::clicked, this, [this, job] { (this->*job)(kCentre); });
        bottom->addWidget(button);
    };
    add_button("UseCentreAsMother", tr("Use as mother"),
               tr("Draw the centre's parameters as the image mother in the main window"),
               &VariationsWindow::UseAsMother);
    add_button("AddCentreToFavourites", tr("\u2605 Add to favourites"),
               tr("Keep the centre among the favourites"), &VariationsWindow::AddToFavourites);
    add_button("CopyCentreRecipe", tr("Copy recipe"), tr("Copy the centre's recipe"),
               &VariationsWindow::CopyRecipe);
    message_ = new QLabel(this);
    message_->setTextFormat(Qt::PlainText);
    message_->setObjectName(QStringLiteral("BreedMessage"));
    bottom->addWidget(message_, 1);
    layout->addLayout(bottom);

    recipe_line_ = new QLabel(this);
    recipe_line_->setTextFormat(Qt::PlainText);
    recipe_line_->setObjectName(QStringLiteral("BreedRecipe"));
    recipe_line_->setWordWrap(true);
    recipe_line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(recipe_line_);
}

VariantTile* VariationsWindow::MakeTile(int place) {
    auto* tile = new VariantTile;
    const bool centre = place == kCentre;
    tile->setObjectName(centre ? QStringLiteral("Centre") : QStringLiteral("Variant%1").arg(place));
    tile->SetHighlighted(centre);
    // Right-click offers what a tile can do: its actions.
    tile->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add_action = [this, tile, place](const char* name, const QString& text,
                                                void (VariationsWindow::*job)(int)) {
        auto* action = new QAction(text, tile);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, place, job] { (this->*job)(place); });
        tile->addAction(action);
    };
    if (!centre) {
        add_action("BreedFromThis", tr("Breed from this"), &VariationsWindow::BreedFrom);
        connect(tile, &VariantTile::clicked, this, [this, place] { BreedFrom(place); });
    }
    add_action("UseAsMother", tr("Use as mother"), &VariationsWindow::UseAsMother);
    add_action("AddFavourite", tr("\u2605 Add to favourites"), &VariationsWindow::AddToFavourites);
    add_action("CopyRecipe", tr("Copy recipe"), &VariationsWindow::CopyRecipe);
    connect(tile, &VariantTile::hovered, this,
            [this, place](bool inside) { ShowRecipeLine(inside ? place : kCentre); });
    return tile;
}

void VariationsWindow::Open(const Recipe& picture) {
    const Recipe centre = OnScreen(picture);
    const bool known =
        !generations_.empty() && (centre == opened_from_ || centre == current().centre);
    if (!known) {
        opened_from_ = centre;
        Generation first{centre, {}};
        for (int g = 0; g < kParameterGroups; ++g)
            first.settings.locked[g] = locks_[g]->isChecked();
        first.settings.strength = static_cast<BreedStrength>(strength_->currentIndex());
        if (!generations_.empty()) generations_.resize(current_ + 1);
        generations_.push_back(std::move(first));
        current_ = generations_.size() - 1;
        ShowGeneration();
    }
    show();
    raise();
    activateWindow();
}

std::optional<Recipe> VariationsWindow::RecipeAt(int place) const {
    if (generations_.empty()) return std::nullopt;
    if (place == kCentre) return current().centre;
    if (place >= 0 && static_cast<std::size_t>(place) < variants_.size()) return variants_[place];
    return std::nullopt;
}

const QImage& VariationsWindow::PictureAt(int place) const {
    return tiles_[place]->picture();
}

void VariationsWindow::ShowGeneration() {
    const Generation& generation = current();
    for (int g = 0; g < kParameterGroups; ++g) {
        const QSignalBlocker quiet(locks_[g]);
        locks_[g]->setChecked(generation.settings.locked[g]);
    }
    {
        const QSignalBlocker quiet(strength_);
        strength_->setCurrentIndex(static_cast<int>(generation.settings.strength));
    }
    back_->setEnabled(CanGoBack());
    forward_->setEnabled(CanGoForward());
    generation_label_->setText(tr("Generation %1").arg(generation.settings.generation));

    variants_.clear();
    if (const auto bred = BreedVariants(generation.centre, generation.settings)) {
        variants_.assign(bred->begin(), bred->end());
        message_->clear();
    } else {
        message_->setText(tr("Every group is locked: unlock one to breed"));
    }

    // The centre first: it is what the person chose.
    std::vector<Recipe> to_draw;
    requested_places_.clear();
    if (centre_drawn_for_ != generation.centre) {
        centre_drawn_for_.reset();
        tiles_[kCentre]->ShowText(tr("drawing..."));
        to_draw.push_back(generation.centre);
        requested_places_.push_back(kCentre);
    }
    tiles_[kCentre]->setToolTip(QString::fromStdString(PrintRecipe(generation.centre)));
    for (int place = 0; place < kVariantsPerGeneration; ++place) {
        VariantTile* tile = tiles_[place];
        const bool shown = static_cast<std::size_t>(place) < variants_.size();
        for (QAction* action : tile->actions()) action->setEnabled(shown);
        if (!shown) {
            tile->ShowText(tr("every group is locked"));
            tile->setToolTip({});
            continue;
        }
        const Recipe& variant = variants_[place];
        tile->ShowText(tr("drawing..."));
        tile->setToolTip(QStringLiteral("%1\n%2").arg(
            QString::fromStdString(PrintRecipe(variant)),
            tr("changed: %1")
                .arg(ChangedGroups(generation.centre, variant).join(QStringLiteral(", ")))));
        to_draw.push_back(variant);
        requested_places_.push_back(place);
    }
    ShowRecipeLine(kCentre);

    waiting_ = static_cast<int>(to_draw.size());
    ++request_;
    renderer_->Draw(request_, std::move(to_draw));
    if (waiting_ == 0) emit generationDrawn();
}

void VariationsWindow::ShowDrawnPicture(quint64 request, int index, const QImage& picture) {
    // Pictures of a generation no longer shown are dropped.
    if (request != request_ || index < 0 ||
        static_cast<std::size_t>(index) >= requested_places_.size()) {
        return;
    }
    const int place = requested_places_[index];
    tiles_[place]->ShowPicture(picture);
    if (place == kCentre) centre_drawn_for_ = current().centre;
    if (--waiting_ == 0) emit generationDrawn();
}

void VariationsWindow::ApplyControls() {
    if (generations_.empty()) return;
    BreedSettings& settings = generations_[current_].settings;
    for (int g = 0; g < kParameterGroups; ++g) settings.locked[g] = locks_[g]->isChecked();
    settings.strength = static_cast<BreedStrength>(strength_->currentIndex());
    ShowGeneration();
}

void VariationsWindow::BreedFrom(int place) {
    if (place < 0 || static_cast<std::size_t>(place) >= variants_.size()) return;
    Generation next{variants_[place], current().settings};
    next.settings.generation += 1;
    // The variant's picture, if drawn, is the new centre's: no need to draw
    // it again.
    if (const QImage picture = tiles_[place]->picture(); !picture.isNull()) {
        tiles_[kCentre]->ShowPicture(picture);
        centre_drawn_for_ = next.centre;
    }
    generations_.resize(current_ + 1);
    generations_.push_back(std::move(next));
    current_ = generations_.size() - 1;
    ShowGeneration();
}

void VariationsWindow::GoBack() {
    if (!CanGoBack()) return;
    --current_;
    ShowGeneration();
}

void VariationsWindow::GoForward() {
    if (!CanGoForward()) return;
    ++current_;
    ShowGeneration();
}

void VariationsWindow::ShowRecipeLine(int place) {
    const std::optional<Recipe> recipe = RecipeAt(place);
    if (!recipe) {
        recipe_line_->clear();
        return;
    }
    recipe_line_->setText((place == kCentre ? tr("Centre: %1") : tr("Variant: %1"))
                              .arg(QString::fromStdString(PrintRecipe(*recipe))));
}

void VariationsWindow::UseAsMother(int place) {
    const std::optional<Recipe> recipe = RecipeAt(place);
    if (!recipe) return;
    emit motherRequested(*recipe);
    // A child's variant keeps its presses; the main window starts from its
    // parameters as a mother.
    message_->setText(recipe->presses.empty()
                          ? tr("Drawn as the image mother in the main window")
                          : tr("Its parameters drawn as the image mother in the main window"));
}

void VariationsWindow::AddToFavourites(int place) {
    const std::optional<Recipe> recipe = RecipeAt(place);
    if (!recipe) return;
    emit favouriteRequested(*recipe);
    message_->setText(tr("Added to the favourites"));
}

void VariationsWindow::CopyRecipe(int place) {
    const std::optional<Recipe> recipe = RecipeAt(place);
    if (!recipe) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(PrintRecipe(*recipe)));
    message_->setText(tr("Copied the recipe"));
}

void VariationsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) OpenBeside(this, parentWidget());
}

void VariationsWindow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    ShowRecipeLine(kCentre);
}

void VariationsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    ShowRecipeLine(kCentre);
}

}  // namespace seedscape
