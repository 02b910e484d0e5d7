#include "app/panel/favourites_list.h"

#include <QMenu>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

namespace seedscape {

namespace {

// A third of a picture's size, three to a row of the panel.
constexpr QSize kIconSize(97, 70);

QIcon Placeholder() {
    QPixmap blank(kIconSize);
    blank.fill(QColor(0xE4, 0xE1, 0xDA));  // the paper grey of the window's sheets
    return QIcon(blank);
}

}  // namespace

// One thread: the favourites' pictures wait behind nothing the person asked
// for just now, and leave the other core to the window.
FavouritesList::FavouritesList(QWidget* parent)
    : QListWidget(parent), placeholder_(Placeholder()), renderer_(nullptr, 1) {
    setObjectName(QStringLiteral("Favourites"));
    setViewMode(QListView::IconMode);
    setIconSize(kIconSize);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setSpacing(2);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = row(item);
        if (index >= 0 && static_cast<std::size_t>(index) < shown_.size()) {
            emit pictureChosen(shown_[static_cast<std::size_t>(index)]);
        }
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int index = row(itemAt(at));
        if (index < 0 || static_cast<std::size_t>(index) >= shown_.size()) return;
        QMenu menu(this);
        const QAction* remove = menu.addAction(tr("Remove from favourites"));
        if (menu.exec(viewport()->mapToGlobal(at)) == remove) {
            emit removeRequested(shown_[static_cast<std::size_t>(index)]);
        }
    });
    connect(&renderer_, &ThumbnailRenderer::rendered, this, &FavouritesList::KeepPicture);
    // What comes into view is drawn next.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &FavouritesList::AskForPictures);
}

void FavouritesList::Show(const std::vector<Recipe>& favourites) {
    if (favourites == shown_) return;
    clear();
    keys_.clear();
    for (const Recipe& recipe : favourites) {
        const QString key = QString::fromStdString(PrintRecipe(recipe));
        auto* entry = new QListWidgetItem(icons_.value(key, placeholder_),
                                          QString::number(recipe.seed), this);
        entry->setToolTip(key);
        keys_.push_back(key);
    }
    shown_ = favourites;
    AskForPictures();
}

int FavouritesList::waiting() const {
    return static_cast<int>(std::count_if(
        keys_.begin(), keys_.end(), [&](const QString& key) { return !icons_.contains(key); }));
}

void FavouritesList::AskForPictures() {
    // From the first favourite in view to the end, then those above it.
    const int count = static_cast<int>(keys_.size());
    const int first = std::max(0, row(itemAt(viewport()->rect().topLeft() + QPoint(4, 4))));
    std::vector<ThumbnailJob> jobs;
    for (int k = 0; k < count; ++k) {
        const auto index = static_cast<std::size_t>((first + k) % count);
        if (!icons_.contains(keys_[index])) jobs.push_back({keys_[index], shown_[index]});
    }
    renderer_.SetWanted(std::move(jobs), kIconSize);
}

void FavouritesList::KeepPicture(const ThumbnailJob& job, const Thumbnail& thumbnail) {
    const QIcon icon(QPixmap::fromImage(thumbnail.shown));
    icons_.insert(job.key, icon);
    for (std::size_t k = 0; k < keys_.size(); ++k) {
        if (keys_[k] == job.key) item(static_cast<int>(k))->setIcon(icon);
    }
}

}  // namespace seedscape
