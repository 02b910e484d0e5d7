#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace seedscape {

// Rows of small pictures, left to right and top to bottom, for a scroll
// area. It paints only the cells in view and asks for their pictures as it
// paints; a cell whose picture has not come yet shows its number. Presses,
// hovering and the context menu are told by cell index.
class ThumbnailGrid : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kGap = 6;  // between cells and around them

    // `picture(index)` is the picture to show, or null while there is none;
    // `describe(index)` the text its tooltip shows.
    ThumbnailGrid(QSize cell, std::function<const QImage*(int)> picture,
                  std::function<QString(int)> describe, QWidget* parent = nullptr);

    // The number of cells and the width they are laid out in.
    void SetCount(int count);
    void SetAvailableWidth(int width);
    int count() const { return count_; }
    int columns() const { return columns_; }
    QSize cell() const { return cell_; }

    QRect CellRect(int index) const;
    // The cell under `point`, or -1.
    int IndexAt(QPoint point) const;
    // The first and one past the last cell that `area` touches, whether
    // or not there are that many.
    std::pair<int, int> CellsIn(const QRect& area) const;

    int hovered() const { return hovered_; }
    int selected() const { return selected_; }
    void SetSelected(int index);

  signals:
    void hoveredChanged(int index);
    void clicked(int index);
    void contextMenuAt(int index, QPoint global);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // A hidden grid has nothing under the pointer: the next showing starts
    // without the last picture's description.
    void hideEvent(QHideEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Relayout();
    void SetHovered(int index);

    QSize cell_;
    std::function<const QImage*(int)> picture_;
    std::function<QString(int)> describe_;
    int count_ = 0;
    int columns_ = 1;
    int available_width_ = 0;
    int hovered_ = -1;
    int selected_ = -1;
};

}  // namespace seedscape
