#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace seedscape {

// Above the favourites: where they stand when not all is well (what is not
// saved and why, which lines of the file do not read), in full and wrapped,
// with a button to repair a file whose lines do not all read. Hidden when all
// is saved.
class FavouritesStatus : public QWidget {
    Q_OBJECT

  public:
    explicit FavouritesStatus(QWidget* parent = nullptr);

    void Show(const QString& status, bool can_repair);
    QString text() const { return label_->text(); }

  signals:
    void repairRequested();

  private:
    QLabel* label_;
    QPushButton* repair_;
};

}  // namespace seedscape
