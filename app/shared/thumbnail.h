#pragma once

#include <QImage>

#include "recipe/recipe.h"
#include "render/pixel_image.h"

namespace seedscape {

// A PixelImage as a QImage, pixel for pixel.
QImage ToQImage(const PixelImage& image);

// The picture a recipe names, at 1x, through the fast pass. Safe to call from
// any thread.
QImage RenderThumbnail(const Recipe& recipe);

}  // namespace seedscape
