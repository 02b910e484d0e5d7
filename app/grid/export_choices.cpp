#include "app/grid/export_choices.h"

#include <optional>

#include "app/panel/export_dialog.h"
#include "state/grid_geometry.h"

namespace seedscape {

std::vector<std::pair<QString, Recipe>> ExportChoices(const GridPictures& pictures) {
    std::vector<std::pair<QString, Recipe>> choices = {
        {ExportDialog::tr("Latest picture"), pictures.Latest()}};
    for (int place = 0; place < kGridPlaces; ++place) {
        if (const std::optional<Recipe> picture = pictures.PictureAt(place)) {
            const QString name = place == 0 ? ExportDialog::tr("Image mother")
                                            : ExportDialog::tr("Child in row %1, column %2")
                                                  .arg(place / kGridColumns + 1)
                                                  .arg(place % kGridColumns + 1);
            choices.emplace_back(name, *picture);
        }
    }
    return choices;
}

}  // namespace seedscape
