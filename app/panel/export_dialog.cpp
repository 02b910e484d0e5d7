#include "app/panel/export_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QStringList>

#include "recipe/export_limits.h"
#include "state/grid_geometry.h"

namespace seedscape {

ExportDialog::ExportDialog(std::vector<std::pair<QString, Recipe>> pictures, QWidget* parent)
    : QDialog(parent), pictures_(std::move(pictures)) {
    setWindowTitle(tr("Export"));
    picture_ = new QComboBox(this);
    for (const auto& [name, recipe] : pictures_) picture_->addItem(name);
    scale_ = new QSpinBox(this);
    scale_->setRange(kScaleRange.lowest, kScaleRange.highest);
    scale_->setValue(8);
    scale_->setSuffix(QStringLiteral(" x"));
    supersample_ = new QSpinBox(this);
    supersample_->setRange(kSupersampleRange.lowest, kSupersampleRange.highest);
    supersample_->setToolTip(tr("Samples averaged for each pixel, across and down"));
    size_ = new QLabel(this);
    size_->setTextFormat(Qt::PlainText);
    limit_ = new QLabel(this);
    limit_->setObjectName(QStringLiteral("ExportLimit"));
    limit_->setTextFormat(Qt::PlainText);
    limit_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("Picture"), picture_);
    form->addRow(tr("Scale"), scale_);
    form->addRow(tr("Supersampling"), supersample_);
    form->addRow(limit_);
    form->addRow(tr("Size"), size_);
    form->addRow(buttons);

    connect(scale_, &QSpinBox::valueChanged, this, &ExportDialog::Update);
    connect(supersample_, &QSpinBox::valueChanged, this, &ExportDialog::Update);
    Update();
}

QString ExportDialog::SizeText(int scale) {
    const qint64 width = static_cast<qint64>(kImageWidth) * scale;
    const qint64 height = static_cast<qint64>(kImageHeight) * scale;
    const double megabytes = static_cast<double>(width * height * 3) / 1e6;
    return tr("%1 x %2 pixels, %3 MB").arg(width).arg(height).arg(megabytes, 0, 'f', 1);
}

void ExportDialog::Update() {
    // Scale times supersampling is bounded: each limits the other.
    scale_->setMaximum(LargestScaleWith(supersample_->value()));
    supersample_->setMaximum(LargestSupersampleWith(scale_->value()));
    size_->setText(SizeText(scale_->value()));

    QStringList reasons;
    if (supersample_->maximum() < kSupersampleRange.highest) {
        reasons << tr("Supersampling goes up to %1 at scale %2.")
                       .arg(supersample_->maximum())
                       .arg(scale_->value());
    }
    if (scale_->maximum() < kScaleRange.highest) {
        reasons << tr("Scale goes up to %1 with supersampling %2.")
                       .arg(scale_->maximum())
                       .arg(supersample_->value());
    }
    if (!reasons.isEmpty()) {
        reasons << tr("Scale times supersampling is at most %1.").arg(kLargestSamplesPerSide);
    }
    limit_->setText(reasons.join(QLatin1Char(' ')));
    limit_->setVisible(!reasons.isEmpty());
}

void ExportDialog::Restore(const ExportSettings& settings) {
    // The maxima follow each value: lower one first so the other may rise.
    scale_->setValue(kScaleRange.lowest);
    supersample_->setValue(settings.supersample);
    scale_->setValue(settings.scale);
    for (std::size_t k = 0; k < pictures_.size(); ++k) {
        if (pictures_[k].first == settings.picture) picture_->setCurrentIndex(static_cast<int>(k));
    }
}

ExportSettings ExportDialog::Settings() const {
    return {scale_->value(), supersample_->value(), picture_->currentText()};
}

Recipe ExportDialog::Chosen() const {
    Recipe recipe =
        pictures_[static_cast<std::size_t>(std::max(picture_->currentIndex(), 0))].second;
    recipe.scale = scale_->value();
    recipe.supersample = supersample_->value();
    return recipe;
}

}  // namespace seedscape
