#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QString>
#include <optional>

namespace seedscape {

// What the window remembers between sessions, in the application's
// settings. Stored values are read as untrusted input: a value of the wrong
// kind, out of its range or pointing nowhere reads as nothing, and the
// window keeps its own default.

// The export dialog's last choices. `picture` is the choice's name ("Image
// mother"), offered again when the grid has such a picture.
struct ExportSettings {
    int scale = 8;
    int supersample = 1;
    QString picture;
};
ExportSettings ReadExportSettings(const QSettings& settings);
void WriteExportSettings(QSettings& settings, const ExportSettings& chosen);

// The folder of the last file saved, exported or opened: empty when none is
// kept or it is no longer a folder.
QString ReadLastFolder(const QSettings& settings);
// Keeps the folder that holds `file_path`.
void WriteLastFolder(QSettings& settings, const QString& file_path);

// The main window's top left corner, when a window of `frame_size` there
// would lie wholly on one of `screens` (their free areas).
std::optional<QPoint> ReadWindowPosition(const QSettings& settings, QSize frame_size,
                                         const QList<QRect>& screens);
// The zoom, when it is one the window has (1 to `largest`).
std::optional<int> ReadZoom(const QSettings& settings, int largest);
std::optional<bool> ReadPanelShown(const QSettings& settings);
void WriteMainWindow(QSettings& settings, QPoint position, int zoom, bool panel_shown);

}  // namespace seedscape
