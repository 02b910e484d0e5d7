#include "app/shared/thumbnail.h"

#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {

QImage ToQImage(const PixelImage& image) {
    QImage converted(image.width(), image.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(converted.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const ColourValue colour = image.At(x, y);
            row[x] = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
        }
    }
    return converted;
}

QImage RenderThumbnail(const Recipe& recipe) {
    return ToQImage(RenderRecipePicture(OnScreen(recipe), RenderImageFast));
}

}  // namespace seedscape
