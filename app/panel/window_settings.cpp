#include "app/panel/window_settings.h"

#include <QDir>
#include <QFileInfo>

#include "recipe/export_limits.h"

namespace seedscape {

namespace {

const QString kScaleKey = QStringLiteral("export/scale");
const QString kSupersampleKey = QStringLiteral("export/supersample");
const QString kPictureKey = QStringLiteral("export/picture");
const QString kFolderKey = QStringLiteral("files/lastFolder");
const QString kPositionKey = QStringLiteral("window/position");
const QString kZoomKey = QStringLiteral("window/zoom");
const QString kPanelKey = QStringLiteral("window/panelShown");

// A whole number written as one: "3", not "3.5", "x" or a list.
std::optional<int> ReadWhole(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int) {
        return std::nullopt;
    }
    bool ok = false;
    const int whole = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional(whole) : std::nullopt;
}

}  // namespace

ExportSettings ReadExportSettings(const QSettings& settings) {
    ExportSettings read;
    const std::optional<int> scale = ReadWhole(settings, kScaleKey);
    const std::optional<int> supersample = ReadWhole(settings, kSupersampleKey);
    // The pair is kept only whole: a scale alone may not fit another
    // supersampling.
    if (scale && supersample && kScaleRange.Holds(*scale) &&
        kSupersampleRange.Holds(*supersample) && ExportSizeProblem(*scale, *supersample).empty()) {
        read.scale = *scale;
        read.supersample = *supersample;
    }
    const QVariant picture = settings.value(kPictureKey);
    if (picture.typeId() == QMetaType::QString) read.picture = picture.toString();
    return read;
}

void WriteExportSettings(QSettings& settings, const ExportSettings& chosen) {
    settings.setValue(kScaleKey, chosen.scale);
    settings.setValue(kSupersampleKey, chosen.supersample);
    settings.setValue(kPictureKey, chosen.picture);
}

QString ReadLastFolder(const QSettings& settings) {
    const QVariant value = settings.value(kFolderKey);
    if (value.typeId() != QMetaType::QString) return {};
    const QString folder = value.toString();
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir()) return {};
    return folder;
}

void WriteLastFolder(QSettings& settings, const QString& file_path) {
    settings.setValue(kFolderKey, QFileInfo(file_path).absolutePath());
}

std::optional<QPoint> ReadWindowPosition(const QSettings& settings, QSize frame_size,
                                         const QList<QRect>& screens) {
    const QVariant value = settings.value(kPositionKey);
    if (value.typeId() != QMetaType::QPoint) return std::nullopt;
    const QPoint position = value.toPoint();
    const QRect frame(position, frame_size);
    for (const QRect& screen : screens) {
        if (screen.contains(frame)) return position;
    }
    return std::nullopt;
}

std::optional<int> ReadZoom(const QSettings& settings, int largest) {
    const std::optional<int> zoom = ReadWhole(settings, kZoomKey);
    if (!zoom || *zoom < 1 || *zoom > largest) return std::nullopt;
    return zoom;
}

std::optional<bool> ReadPanelShown(const QSettings& settings) {
    const QVariant value = settings.value(kPanelKey);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    // Read back from the file, a flag is the text Qt wrote.
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    const QString text = value.toString();
    if (text == QStringLiteral("true")) return true;
    if (text == QStringLiteral("false")) return false;
    return std::nullopt;
}

void WriteMainWindow(QSettings& settings, QPoint position, int zoom, bool panel_shown) {
    settings.setValue(kPositionKey, position);
    settings.setValue(kZoomKey, zoom);
    settings.setValue(kPanelKey, panel_shown);
}

}  // namespace seedscape
