#pragma once

#include <string>

#include "image_file/rgb_image.h"
#include "render/pixel_image.h"

namespace seedscape::testing {

// Empty when both images have the same size and the same colour at every
// pixel. Otherwise the two sizes, or how many pixels differ and the first of
// them (rows top to bottom, each left to right) with both colours, so that a
// failure says what broke without opening the pictures.
std::string ImageDifference(const RgbImage& got, const RgbImage& want);
std::string ImageDifference(const PixelImage& got, const PixelImage& want);

}  // namespace seedscape::testing
