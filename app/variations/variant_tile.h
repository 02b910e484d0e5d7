#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace seedscape {

// One place of the variations grid: a picture at 1x, or a line of text
// while there is none. A left click asks for it; the pointer resting on it
// is told, so that the window can show its recipe.
class VariantTile : public QWidget {
    Q_OBJECT

  public:
    explicit VariantTile(QWidget* parent = nullptr);

    void ShowPicture(const QImage& picture);
    // No picture: `text` in its place ("drawing...", or why there is none).
    void ShowText(const QString& text);
    const QImage& picture() const { return picture_; }
    // A frame that marks the centre.
    void SetHighlighted(bool highlighted);

    QSize sizeHint() const override;

  signals:
    void clicked();
    void hovered(bool inside);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QImage picture_;
    QString text_;
    bool highlighted_ = false;
};

}  // namespace seedscape
