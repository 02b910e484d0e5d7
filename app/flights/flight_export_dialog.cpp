#include "app/flights/flight_export_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QSpinBox>
#include <array>

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

// The formats an export offers: a video by its name's extension, or PNG
// frames into a folder.
struct ExportKind {
    const char* name;
    const char* extension;  // none for frames
    const char* filter;
};

constexpr std::array<ExportKind, 4> kKinds = {{
    {QT_TRANSLATE_NOOP("FlightExport", "MP4 video (H.264)"), "mp4", "MP4 video (*.mp4)"},
    {QT_TRANSLATE_NOOP("FlightExport", "WebM video (VP9)"), "webm", "WebM video (*.webm)"},
    {QT_TRANSLATE_NOOP("FlightExport", "GIF animation"), "gif", "GIF animation (*.gif)"},
    {QT_TRANSLATE_NOOP("FlightExport", "PNG frames, into a folder"), nullptr, ""},
}};

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
    auto* format = new QComboBox(&dialog);
    format->setObjectName(QStringLiteral("FlightExportFormat"));
    for (const ExportKind& kind : kKinds) format->addItem(QObject::tr(kind.name));
    form->addRow(QObject::tr("Format"), format);
    form->addRow(QObject::tr("Scale"), scale);
    form->addRow(QObject::tr("Supersampling"), supersample);
    form->addRow(QObject::tr("Frame rate"), fps);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const ExportKind& kind = kKinds[static_cast<std::size_t>(format->currentIndex())];
    const QString size = QStringLiteral("%1x%2")
                             .arg(kImageWidth * scale->value())
                             .arg(kImageHeight * scale->value());
    QString path;
    if (kind.extension == nullptr) {
        // Frames go into a folder of their own, one PNG a frame.
        path = QFileDialog::getExistingDirectory(parent, QObject::tr("Export frames into"));
        if (!path.isEmpty() && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    } else {
        path = QFileDialog::getSaveFileName(
            parent, QObject::tr("Export video"),
            QStringLiteral("flight-%1.%2").arg(size, QLatin1String(kind.extension)),
            QObject::tr(kind.filter));
    }
    if (path.isEmpty()) return std::nullopt;
    return FlightExportChoice{path, scale->value(), supersample->value(), fps->value()};
}

}  // namespace seedscape
