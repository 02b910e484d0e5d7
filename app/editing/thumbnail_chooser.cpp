#include "app/editing/thumbnail_chooser.h"

#include <QScrollBar>
#include <vector>

#include "app/editing/hand_set_fields.h"
#include "recipe/settable_fields.h"

namespace seedscape {

namespace {

// A fifth of a mother: 58 x 42, enough to tell the schemes apart.
constexpr QSize kShownPixels(58, 42);
constexpr int kValueRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

}  // namespace

ThumbnailChooser::ThumbnailChooser(const char* field, QWidget* parent)
    : QListWidget(parent), index_(SettableFieldIndex(field)) {
    setObjectName(QString::fromLatin1(field) + QStringLiteral("Chooser"));
    const SettableField& settable = SettableFields()[static_cast<std::size_t>(index_)];
    lowest_ = static_cast<int>(settable.lowest);
    setViewMode(QListView::IconMode);
    setIconSize(kShownPixels);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setFixedHeight(2 * (kShownPixels.height() + 24) + 8);
    for (int value = lowest_; value <= static_cast<int>(settable.highest); ++value) {
        auto* item = new QListWidgetItem(QString::number(value), this);
        item->setData(kValueRole, value);
        item->setToolTip(QStringLiteral("%1=%2").arg(QString::fromLatin1(field)).arg(value));
    }
    connect(&renderer_, &ThumbnailRenderer::rendered, this, &ThumbnailChooser::TakePicture);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit valueChosen(index_, item->data(kValueRole).toInt());
    });
    // What scrolls into view is drawn next.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        asked_ = false;
        AskForPictures();
    });
}

Recipe ThumbnailChooser::WithValue(int value) const {
    Recipe recipe = mother_;
    recipe.overrides[static_cast<std::size_t>(index_)] = value;
    return recipe;
}

void ThumbnailChooser::Show(const Recipe& recipe) {
    Recipe mother = OnScreen(recipe);
    mother.presses.clear();
    const int current = static_cast<int>(FieldValue(mother, index_));
    setCurrentRow(current - lowest_);
    // The other values are pictured from the mother without this field set.
    mother.overrides[static_cast<std::size_t>(index_)].reset();
    if (mother == mother_ && drawn_ > 0) return;
    mother_ = mother;
    asked_ = false;
    drawn_ = 0;
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* entry = item(row);
        entry->setIcon(QIcon());
        entry->setData(kKeyRole, QString::fromStdString(
                                     PrintRecipe(WithValue(entry->data(kValueRole).toInt()))));
    }
    AskForPictures();
}

void ThumbnailChooser::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    AskForPictures();
}

void ThumbnailChooser::AskForPictures() {
    // Drawn only while seen; the ones in view first.
    if (asked_ || !isVisible() || count() == 0) return;
    asked_ = true;
    std::vector<ThumbnailJob> in_view;
    std::vector<ThumbnailJob> others;
    const QRect view = viewport()->rect();
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* entry = item(row);
        if (!entry->icon().isNull()) continue;
        ThumbnailJob job{entry->data(kKeyRole).toString(),
                         WithValue(entry->data(kValueRole).toInt())};
        (visualItemRect(entry).intersects(view) ? in_view : others).push_back(std::move(job));
    }
    in_view.insert(in_view.end(), others.begin(), others.end());
    renderer_.SetWanted(std::move(in_view), kShownPixels);
}

void ThumbnailChooser::TakePicture(const ThumbnailJob& job, const Thumbnail& thumbnail) {
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* entry = item(row);
        if (entry->data(kKeyRole).toString() != job.key || !entry->icon().isNull()) continue;
        entry->setIcon(QIcon(QPixmap::fromImage(thumbnail.shown)));
        ++drawn_;
    }
}

}  // namespace seedscape
