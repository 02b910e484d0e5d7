#pragma once

#include <QImage>

#include "image_file/rgb_image.h"

namespace seedscape {

// An RgbImage as a QImage, pixel for pixel, and back.
QImage RgbToQImage(const RgbImage& image);
RgbImage QImageToRgb(const QImage& image);

}  // namespace seedscape
