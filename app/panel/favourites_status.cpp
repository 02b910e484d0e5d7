#include "app/panel/favourites_status.h"

#include <QVBoxLayout>

namespace seedscape {

FavouritesStatus::FavouritesStatus(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), repair_(new QPushButton(tr("Repair file"), this)) {
    setObjectName(QStringLiteral("FavouritesStatus"));
    label_->setTextFormat(Qt::PlainText);  // paths and lines from the file are shown as they are
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    repair_->setObjectName(QStringLiteral("RepairFavourites"));
    repair_->setToolTip(tr("Keep the lines that read, after a backup of the file as it is"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    layout->addWidget(repair_, 0, Qt::AlignLeft);
    connect(repair_, &QPushButton::clicked, this, &FavouritesStatus::repairRequested);
    Show({}, false);
}

void FavouritesStatus::Show(const QString& status, bool can_repair) {
    label_->setText(status);
    repair_->setVisible(can_repair);
    setVisible(!status.isEmpty());
}

}  // namespace seedscape
