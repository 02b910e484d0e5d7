#include "app/atlas/thumbnail_grid.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace seedscape {

namespace {

constexpr int kGap = ThumbnailGrid::kGap;
const QColor kGridBackground(48, 48, 48);
const QColor kWaiting(72, 72, 72);
const QColor kHoverFrame(200, 200, 200);
const QColor kSelectedFrame(255, 200, 40);

}  // namespace

ThumbnailGrid::ThumbnailGrid(QSize cell, std::function<const QImage*(int)> picture,
                             std::function<QString(int)> describe, QWidget* parent)
    : QWidget(parent), cell_(cell), picture_(std::move(picture)), describe_(std::move(describe)) {
    setObjectName(QStringLiteral("AtlasGrid"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Relayout();
}

void ThumbnailGrid::SetCount(int count) {
    if (count == count_) return;
    count_ = count;
    if (hovered_ >= count_) SetHovered(-1);
    if (selected_ >= count_) selected_ = -1;
    Relayout();
    update();
}

void ThumbnailGrid::SetAvailableWidth(int width) {
    if (width == available_width_) return;
    available_width_ = width;
    Relayout();
    update();
}

void ThumbnailGrid::Relayout() {
    columns_ = std::max(1, (available_width_ - kGap) / (cell_.width() + kGap));
    const int rows = (count_ + columns_ - 1) / columns_;
    const int width = std::max(available_width_, kGap + columns_ * (cell_.width() + kGap));
    setFixedSize(width, kGap + rows * (cell_.height() + kGap));
}

QRect ThumbnailGrid::CellRect(int index) const {
    const int column = index % columns_;
    const int row = index / columns_;
    return {kGap + column * (cell_.width() + kGap), kGap + row * (cell_.height() + kGap),
            cell_.width(), cell_.height()};
}

int ThumbnailGrid::IndexAt(QPoint point) const {
    if (point.x() < kGap || point.y() < kGap) return -1;
    const int column = (point.x() - kGap) / (cell_.width() + kGap);
    const int row = (point.y() - kGap) / (cell_.height() + kGap);
    if (column >= columns_) return -1;
    const int index = row * columns_ + column;
    if (index >= count_ || !CellRect(index).contains(point)) return -1;  // a gap
    return index;
}

std::pair<int, int> ThumbnailGrid::CellsIn(const QRect& area) const {
    const int step = cell_.height() + kGap;
    const int first_row = std::max(0, (area.top() - kGap) / step);
    const int last_row = std::max(0, (area.bottom() - kGap) / step);
    return {first_row * columns_, (last_row + 1) * columns_};
}

void ThumbnailGrid::SetSelected(int index) {
    if (index == selected_) return;
    if (selected_ >= 0) update(CellRect(selected_).adjusted(-3, -3, 3, 3));
    selected_ = index;
    if (selected_ >= 0) update(CellRect(selected_).adjusted(-3, -3, 3, 3));
}

void ThumbnailGrid::SetHovered(int index) {
    if (index == hovered_) return;
    if (hovered_ >= 0) update(CellRect(hovered_).adjusted(-3, -3, 3, 3));
    hovered_ = index;
    if (hovered_ >= 0) update(CellRect(hovered_).adjusted(-3, -3, 3, 3));
    emit hoveredChanged(hovered_);
}

void ThumbnailGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kGridBackground);
    const auto [first, end] = CellsIn(event->rect());
    for (int index = first; index < std::min(end, count_); ++index) {
        const QRect rect = CellRect(index);
        if (!rect.intersects(event->rect().adjusted(-3, -3, 3, 3))) continue;
        if (const QImage* image = picture_(index)) {
            painter.drawImage(rect, *image);
        } else {
            painter.fillRect(rect, kWaiting);
            painter.setPen(Qt::lightGray);
            painter.drawText(rect, Qt::AlignCenter, QString::number(index + 1));
        }
        const bool selected = index == selected_;
        if (selected || index == hovered_) {
            painter.setPen(QPen(selected ? kSelectedFrame : kHoverFrame, 2));
            painter.drawRect(rect.adjusted(-2, -2, 1, 1));
        }
    }
}

void ThumbnailGrid::mouseMoveEvent(QMouseEvent* event) {
    SetHovered(IndexAt(event->position().toPoint()));
}

void ThumbnailGrid::leaveEvent(QEvent*) {
    SetHovered(-1);
}

void ThumbnailGrid::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    SetHovered(-1);
}

void ThumbnailGrid::mousePressEvent(QMouseEvent* event) {
    const int index = IndexAt(event->position().toPoint());
    SetHovered(index);
    if (event->button() == Qt::LeftButton && index >= 0) {
        SetSelected(index);
        emit clicked(index);
    }
}

void ThumbnailGrid::contextMenuEvent(QContextMenuEvent* event) {
    const int index = IndexAt(event->pos());
    if (index < 0) return;
    SetSelected(index);
    emit contextMenuAt(index, event->globalPos());
}

bool ThumbnailGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = IndexAt(help->pos());
        if (index >= 0) {
            QToolTip::showText(help->globalPos(), describe_(index), this, CellRect(index));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace seedscape
