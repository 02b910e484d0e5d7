#include "app/atlas/atlas_window.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSet>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "app/atlas/thumbnail_grid.h"
#include "app/shared/thumbnail_renderer.h"
#include "app/shared/tool_window.h"
#include "recipe/picture_description.h"
#include "state/grid_geometry.h"
#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

// Half a picture's size each way: about forty fill the first screen.
constexpr QSize kCell((kImageWidth + 1) / 2, (kImageHeight + 1) / 2);
constexpr int kGap = ThumbnailGrid::kGap;
// Pictures kept once drawn, in kB (about 62 each at this size on an
// ordinary screen), so that scrolling back or "new" shows them at once.
constexpr int kKeptKilobytes = 40 * 1024;

QString KeyOf(const Recipe& recipe) {
    return QString::fromStdString(PrintRecipe(OnScreen(recipe)));
}

bool IsPlainMother(const Recipe& recipe) {
    return recipe.presses.empty() &&
           std::none_of(recipe.overrides.begin(), recipe.overrides.end(),
                        [](const std::optional<double>& value) { return value.has_value(); });
}

}  // namespace

AtlasWindow::AtlasWindow(QWidget* parent, int mother_seed, int render_threads)
    : QWidget(parent, Qt::Window),
      mother_seed_(mother_seed),
      shown_(kKeptKilobytes),
      renderer_(std::make_unique<ThumbnailRenderer>(nullptr, render_threads)) {
    setObjectName(QStringLiteral("Atlas"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    AddCloseKeys(this);

    source_box_ = new QComboBox(this);
    source_box_->setObjectName(QStringLiteral("AtlasSource"));
    source_box_->addItem(tr("Next in the chain"), int(SourceKind::kChain));
    source_box_->addItem(tr("From seed"), int(SourceKind::kFromSeed));
    source_box_->addItem(tr("Random"), int(SourceKind::kRandom));
    source_box_->addItem(tr("Favourites"), int(SourceKind::kFavourites));
    source_box_->setToolTip(tr("Which pictures the atlas shows"));
    first_seed_ = new QSpinBox(this);
    first_seed_->setObjectName(QStringLiteral("AtlasFirstSeed"));
    first_seed_->setRange(kSeedRange.lowest, kSeedRange.highest);
    first_seed_->setValue(std::clamp(mother_seed_, kSeedRange.lowest, kSeedRange.highest));
    first_seed_->setToolTip(tr("The first seed listed"));
    first_seed_->setKeyboardTracking(false);  // no list for every digit typed
    draw_again_ = new QPushButton(tr("Draw again"), this);
    draw_again_->setObjectName(QStringLiteral("AtlasDrawAgain"));

    grid_ = new ThumbnailGrid(
        kCell, [this](int index) { return KeptThumbnail(index); },
        [this](int index) { return Describe(index); });
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("AtlasScroll"));
    scroll_->setWidget(grid_);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll_->verticalScrollBar()->setSingleStep(kCell.height() / 2);
    scroll_->viewport()->installEventFilter(this);
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);  // it repeats recipes, which are the user's text
    status_->setObjectName(QStringLiteral("AtlasStatus"));

    auto* row = new QHBoxLayout;
    row->addWidget(source_box_);
    row->addWidget(first_seed_);
    row->addWidget(draw_again_);
    row->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(scroll_, 1);
    column->addWidget(status_);

    auto* add = new QAction(tr("Add to favourites"), this);
    add->setObjectName(QStringLiteral("AtlasAddFavourite"));
    add->setShortcuts({QKeySequence(tr("Ctrl+D")), QKeySequence(Qt::Key_F)});
    addAction(add);
    connect(add, &QAction::triggered, this,
            [this] { AddFavourite(grid_->hovered() >= 0 ? grid_->hovered() : grid_->selected()); });

    connect(source_box_, &QComboBox::currentIndexChanged, this, &AtlasWindow::ShowChosenSource);
    connect(first_seed_, &QSpinBox::valueChanged, this, [this] {
        if (kind_ == SourceKind::kFromSeed) Rebuild();
    });
    connect(draw_again_, &QPushButton::clicked, this, [this] { Rebuild(); });
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, &AtlasWindow::FillView);
    connect(grid_, &ThumbnailGrid::clicked, this, &AtlasWindow::Choose);
    connect(grid_, &ThumbnailGrid::hoveredChanged, this, &AtlasWindow::ShowStatus);
    connect(grid_, &ThumbnailGrid::contextMenuAt, this, [this](int index, QPoint global) {
        // The recipe, not the index: the list may change while the menu is
        // open, as it follows the main window.
        const Recipe recipe = pictures_[static_cast<std::size_t>(index)];
        QMenu menu;  // no parent: it outlives this window if the menu closes it
        connect(menu.addAction(tr("Add to favourites")), &QAction::triggered, this,
                [this, recipe] { AddRecipeToFavourites(recipe); });
        connect(menu.addAction(tr("Show in the main window")), &QAction::triggered, this,
                [this, recipe] { ChooseRecipe(recipe); });
        menu.exec(global);
    });
    connect(renderer_.get(), &ThumbnailRenderer::rendered, this, &AtlasWindow::KeepThumbnail);

    resize(8 * (kCell.width() + kGap) + 50, 5 * (kCell.height() + kGap) + 110);
    ShowChosenSource();
}

AtlasWindow::~AtlasWindow() {
    // The render under way finishes before anything it reports to goes.
    renderer_.reset();
    // Closing a visible window hides its children from QWidget's destructor,
    // when this is no longer an AtlasWindow: their signals must not reach it.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void AtlasWindow::ShowSource(SourceKind kind) {
    source_box_->setCurrentIndex(source_box_->findData(int(kind)));
}

void AtlasWindow::SetFirstSeed(int seed) {
    first_seed_->setValue(seed);
}

void AtlasWindow::FollowMother(int seed) {
    mother_seed_ = seed;
    if (kind_ == SourceKind::kChain) Rebuild();
}

void AtlasWindow::SetFavourites(const std::vector<Recipe>& favourites) {
    favourites_ = favourites;
    if (kind_ == SourceKind::kFavourites) Rebuild(true);
}

void AtlasWindow::ShowChosenSource() {
    kind_ = static_cast<SourceKind>(source_box_->currentData().toInt());
    first_seed_->setVisible(kind_ == SourceKind::kFromSeed);
    draw_again_->setVisible(kind_ == SourceKind::kRandom);
    Rebuild();
}

void AtlasWindow::Rebuild(bool keep_place) {
    switch (kind_) {
        case SourceKind::kChain:
            source_.emplace(AtlasSource::NextInChain(mother_seed_));
            break;
        case SourceKind::kFromSeed:
            source_.emplace(AtlasSource::FromSeed(first_seed_->value()));
            break;
        case SourceKind::kRandom:
            // A generator of the atlas's own: the main window's chain stays.
            source_.emplace(AtlasSource::Random(QRandomGenerator::global()->bounded(86400.0)));
            break;
        case SourceKind::kFavourites:
            source_.emplace(AtlasSource::Favourites(favourites_));
            break;
    }
    setWindowTitle(tr("Atlas \u2014 %1").arg(QString::fromStdString(source_->name())));
    source_ended_ = false;
    pictures_.clear();
    keys_.clear();
    grid_->SetSelected(-1);
    if (!keep_place) scroll_->verticalScrollBar()->setValue(0);
    FillView();
}

void AtlasWindow::FillView() {
    if (!source_) return;  // still being made
    grid_->SetAvailableWidth(scroll_->viewport()->width());
    const auto view = [this] {
        return QRect(0, scroll_->verticalScrollBar()->value(), grid_->width(),
                     scroll_->viewport()->height());
    };
    const int step = kCell.height() + kGap;
    const int screen_cells = (view().height() / step + 1) * grid_->columns();

    // List one screen beyond the view, so that there is always more to
    // scroll to; chain and random lists are made as far as they are looked.
    const int wanted_count = grid_->CellsIn(view()).second + screen_cells;
    while (!source_ended_ && static_cast<int>(pictures_.size()) < wanted_count) {
        std::optional<Recipe> next = source_->At(static_cast<int>(pictures_.size()));
        if (!next) {
            source_ended_ = true;
            ShowStatus();  // a chain that closes says where
            break;
        }
        keys_.push_back(KeyOf(*next));
        pictures_.push_back(std::move(*next));
    }
    // A shorter list can move the view up: it is read again afterwards.
    grid_->SetCount(static_cast<int>(pictures_.size()));

    // The view first, then the screen below it, then the one above.
    const int count = static_cast<int>(pictures_.size());
    const int first = std::min(grid_->CellsIn(view()).first, count);
    const int end = std::min(grid_->CellsIn(view()).second, count);
    std::vector<int> order;
    for (int index = first; index < end; ++index) order.push_back(index);
    for (int index = end; index < end + screen_cells; ++index) order.push_back(index);
    for (int index = first - 1; index >= std::max(0, first - screen_cells); --index) {
        order.push_back(index);
    }
    std::vector<ThumbnailJob> jobs;
    QSet<QString> asked;
    if (isVisible()) {
        for (const int index : order) {
            if (index >= count) continue;
            const QString& key = keys_[static_cast<std::size_t>(index)];
            // object() also marks a kept picture as recently seen.
            if (shown_.object(key) != nullptr || asked.contains(key)) continue;
            asked.insert(key);
            jobs.push_back({key, pictures_[static_cast<std::size_t>(index)]});
        }
    }
    renderer_->SetWanted(std::move(jobs), kCell * devicePixelRatioF());
    ShowStatus();
    grid_->update();
}

void AtlasWindow::KeepThumbnail(const ThumbnailJob& job, const Thumbnail& thumbnail) {
    auto* shown = new QImage(thumbnail.shown);
    shown->setDevicePixelRatio(static_cast<double>(shown->width()) / kCell.width());
    shown_.insert(job.key, shown, std::max<qsizetype>(1, shown->sizeInBytes() / 1024));
    grid_->update();
    emit thumbnailArrived(job.recipe, thumbnail.full);
}

const QImage* AtlasWindow::KeptThumbnail(int index) {
    if (index < 0 || index >= static_cast<int>(keys_.size())) return nullptr;
    return shown_.object(keys_[static_cast<std::size_t>(index)]);
}

long long AtlasWindow::PicturesStarted() const {
    return renderer_->started();
}

bool AtlasWindow::HasThumbnail(int index) const {
    return index >= 0 && index < static_cast<int>(keys_.size()) &&
           shown_.contains(keys_[static_cast<std::size_t>(index)]);
}

QString AtlasWindow::Describe(int index) const {
    if (index < 0 || index >= static_cast<int>(pictures_.size())) return {};
    const Recipe& recipe = pictures_[static_cast<std::size_t>(index)];
    const ImageState mother = RecipeMotherRecord(recipe);
    QString text = tr("seed %1, colour scheme (barva) %2, factors (fak01, fak02) %3 and %4")
                       .arg(recipe.seed)
                       .arg(mother.barva)
                       .arg(mother.fak01)
                       .arg(mother.fak02);
    if (!recipe.presses.empty()) text += tr(", child %1").arg(recipe.presses.size());
    return text;
}

void AtlasWindow::ShowStatus() {
    const int hovered = grid_->hovered();
    if (hovered >= 0) {
        status_->setText(Describe(hovered));
        return;
    }
    QString status = pictures_.empty() ? tr("Nothing to show")
                                       : tr("Click a picture to make it the image mother; "
                                            "F or the context menu adds it to the favourites");
    if (source_ && source_->closing_seed() != 0) {
        status += tr(". The chain closes here: the next would be seed %1 again, so \"new\" "
                     "draws from the clock instead")
                      .arg(source_->closing_seed());
    }
    status_->setText(status);
}

void AtlasWindow::Choose(int index) {
    if (index < 0 || index >= static_cast<int>(pictures_.size())) return;
    // A copy: the list follows the main window and changes under us.
    ChooseRecipe(Recipe(pictures_[static_cast<std::size_t>(index)]));
}

void AtlasWindow::ChooseRecipe(const Recipe& recipe) {
    if (IsPlainMother(recipe)) {
        emit seedChosen(recipe.seed);
    } else {
        emit recipeChosen(recipe);
    }
}

void AtlasWindow::AddFavourite(int index) {
    if (index < 0 || index >= static_cast<int>(pictures_.size())) return;
    AddRecipeToFavourites(Recipe(pictures_[static_cast<std::size_t>(index)]));
}

void AtlasWindow::AddRecipeToFavourites(const Recipe& recipe) {
    emit favouriteRequested(recipe);
    status_->setText(
        tr("Added %1 to the favourites").arg(QString::fromStdString(DescribePicture(recipe))));
}

bool AtlasWindow::eventFilter(QObject* watched, QEvent* event) {
    // The view's size decides the columns and how much is listed and drawn.
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize) FillView();
    return QWidget::eventFilter(watched, event);
}

void AtlasWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) OpenBeside(this, parentWidget());
    FillView();
}

void AtlasWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    renderer_->SetWanted({}, kCell);  // nothing is drawn for a hidden window
}

}  // namespace seedscape
