#include "app/panel/picture_dialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

#include "app/panel/export_dialog.h"

namespace seedscape {

namespace {

QString SuggestedPath(const Recipe& recipe) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString name = QStringLiteral("seedscape-%1").arg(recipe.seed);
    if (!recipe.presses.empty()) name += QStringLiteral("-child%1").arg(recipe.presses.size());
    if (recipe.scale != 1) name += QStringLiteral("-%1x").arg(recipe.scale);
    return folder + QLatin1Char('/') + name + QStringLiteral(".png");
}

QString WithPngEnding(QString path) {
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    return path;
}

QString PngFilter() {
    return ExportDialog::tr("PNG images (*.png)");
}

}  // namespace

QString AskSavePath(QWidget* parent, const Recipe& recipe) {
    const QString path = QFileDialog::getSaveFileName(parent, ExportDialog::tr("Save image"),
                                                      SuggestedPath(recipe), PngFilter());
    return path.isEmpty() ? path : WithPngEnding(path);
}

std::optional<std::pair<Recipe, QString>> AskExport(
    QWidget* parent, std::vector<std::pair<QString, Recipe>> choices) {
    ExportDialog dialog(std::move(choices), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const Recipe recipe = dialog.Chosen();
    const QString path = QFileDialog::getSaveFileName(parent, ExportDialog::tr("Export"),
                                                      SuggestedPath(recipe), PngFilter());
    if (path.isEmpty()) return std::nullopt;
    return std::pair{recipe, WithPngEnding(path)};
}

QString AskOpenPath(QWidget* parent) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileDialog::getOpenFileName(parent, ExportDialog::tr("Open"), folder, PngFilter());
}

}  // namespace seedscape
