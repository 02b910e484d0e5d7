#include "app/flights/flight_export_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QSpinBox>

#include "recipe/export_limits.h"
#include "state/grid_geometry.h"

namespace seedscape {

namespace {

QSpinBox* RangeBox(QWidget* parent, WholeRange range, int value, const QString& suffix) {
    auto* box = new QSpinBox(parent);
    box->setRange(range.lowest, range.highest);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

std::optional<FlightExportChoice> AskFlightExport(QWidget* parent, const Flight& flight) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("FlightExportDialog"));
    dialog.setWindowTitle(QObject::tr("Export video"));
    auto* form = new QFormLayout(&dialog);
    QSpinBox* scale = RangeBox(&dialog, kScaleRange, flight.scale, QStringLiteral("x"));
    QSpinBox* supersample =
        RangeBox(&dialog, kSupersampleRange, flight.supersample, QStringLiteral("x"));
    QSpinBox* fps = RangeBox(&dialog, kFpsRange, flight.fps, QObject::tr(" frames a second"));
    form->addRow(QObject::tr("Scale"), scale);
    form->addRow(QObject::tr("Supersampling"), supersample);
    form->addRow(QObject::tr("Frame rate"), fps);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString path = QFileDialog::getSaveFileName(
        parent, QObject::tr("Export video"),
        QStringLiteral("flight-%1x%2.mp4")
            .arg(kImageWidth * scale->value())
            .arg(kImageHeight * scale->value()),
        QObject::tr("MP4 video (*.mp4);;WebM video (*.webm);;GIF animation (*.gif)"));
    if (path.isEmpty()) return std::nullopt;
    return FlightExportChoice{path, scale->value(), supersample->value(), fps->value()};
}

}  // namespace seedscape
