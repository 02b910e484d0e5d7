#include "app/variations/variant_tile.h"

#include <QMouseEvent>
#include <QPainter>

#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// Room around the picture for the centre's frame.
constexpr int kBorder = 3;

}  // namespace

VariantTile::VariantTile(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize VariantTile::sizeHint() const {
    return {kImageWidth + 2 * kBorder, kImageHeight + 2 * kBorder};
}

void VariantTile::ShowPicture(const QImage& picture) {
    picture_ = picture;
    text_.clear();
    update();
}

void VariantTile::ShowText(const QString& text) {
    picture_ = QImage();
    text_ = text;
    update();
}

void VariantTile::SetHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    update();
}

void VariantTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), highlighted_ ? palette().highlight() : palette().window());
    const QRect inner(kBorder, kBorder, kImageWidth, kImageHeight);
    if (!picture_.isNull()) {
        // Pixel for pixel: the picture is the recipe's own, never a blur.
        painter.drawImage(inner.topLeft(), picture_);
    } else {
        painter.fillRect(inner, palette().base());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, text_);
    }
}

void VariantTile::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void VariantTile::enterEvent(QEnterEvent*) {
    emit hovered(true);
}

void VariantTile::leaveEvent(QEvent*) {
    emit hovered(false);
}

}  // namespace seedscape
