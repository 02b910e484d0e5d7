#include "app/panel/favourites_list.h"

#include <QMenu>

#include "app/shared/thumbnail.h"
#include "recipe/draw_recipe.h"

namespace seedscape {

namespace {

// A third of a picture's size, three to a row of the panel.
constexpr QSize kIconSize(97, 70);

}  // namespace

FavouritesList::FavouritesList(QWidget* parent) : QListWidget(parent) {
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
}

void FavouritesList::Show(const std::vector<Recipe>& favourites) {
    if (favourites == shown_) return;
    // Pictures already shown keep their icons: only new ones are rendered.
    std::vector<QIcon> icons;
    for (const Recipe& recipe : favourites) {
        const auto known = std::find(shown_.begin(), shown_.end(), recipe);
        icons.push_back(known != shown_.end()
                            ? item(static_cast<int>(known - shown_.begin()))->icon()
                            : QIcon(QPixmap::fromImage(RenderThumbnail(recipe).scaled(
                                  kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
    }
    clear();
    for (std::size_t k = 0; k < favourites.size(); ++k) {
        auto* entry = new QListWidgetItem(icons[k], QString::number(favourites[k].seed), this);
        entry->setToolTip(QString::fromStdString(PrintRecipe(favourites[k])));
    }
    shown_ = favourites;
}

}  // namespace seedscape
