#include "app/panel/picture_dialogs.h"

#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>

#include "app/panel/export_dialog.h"
#include "app/panel/window_settings.h"

namespace seedscape {

namespace {

// The folder the last file was saved, exported or opened in; the pictures
// folder until then.
QString StartingFolder() {
    const QString last = ReadLastFolder(QSettings());
    return last.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                          : last;
}

QString SuggestedPath(const Recipe& recipe) {
    QString name = QStringLiteral("seedscape-%1").arg(recipe.seed);
    if (!recipe.presses.empty()) name += QStringLiteral("-child%1").arg(recipe.presses.size());
    if (recipe.scale != 1) name += QStringLiteral("-%1x").arg(recipe.scale);
    return StartingFolder() + QLatin1Char('/') + name + QStringLiteral(".png");
}

QString WithPngEnding(QString path) {
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    return path;
}

QString PngFilter() {
    return ExportDialog::tr("PNG images (*.png)");
}

// The path chosen, its folder kept for the next dialog.
QString Remembered(const QString& path) {
    if (!path.isEmpty()) {
        QSettings settings;
        WriteLastFolder(settings, path);
    }
    return path;
}

}  // namespace

QString AskSavePath(QWidget* parent, const Recipe& recipe) {
    const QString path = QFileDialog::getSaveFileName(parent, ExportDialog::tr("Save image"),
                                                      SuggestedPath(recipe), PngFilter());
    return Remembered(path.isEmpty() ? path : WithPngEnding(path));
}

std::optional<std::pair<Recipe, QString>> AskExport(
    QWidget* parent, std::vector<std::pair<QString, Recipe>> choices) {
    ExportDialog dialog(std::move(choices), parent);
    dialog.Restore(ReadExportSettings(QSettings()));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    {
        QSettings settings;
        WriteExportSettings(settings, dialog.Settings());
    }
    const Recipe recipe = dialog.Chosen();
    const QString path = QFileDialog::getSaveFileName(parent, ExportDialog::tr("Export"),
                                                      SuggestedPath(recipe), PngFilter());
    if (path.isEmpty()) return std::nullopt;
    return std::pair{recipe, Remembered(WithPngEnding(path))};
}

std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* parent) {
    // The folder alone: given as a path, it would be typed in the name box.
    auto dialog = std::make_unique<QFileDialog>(parent, ExportDialog::tr("Open"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(PngFilter());
    dialog->setDirectory(StartingFolder());
    return dialog;
}

QString AskOpenPath(QWidget* parent) {
    const std::unique_ptr<QFileDialog> dialog = MakeOpenDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return Remembered(dialog->selectedFiles().constFirst());
}

}  // namespace seedscape
