#pragma once

#include <string>
#include <vector>

#include "image_file/rgb_image.h"

namespace seedscape {

// The image as a binary PPM (P6): header, then red, green, blue per pixel.
std::vector<unsigned char> EncodePpm(const RgbImage& image);

// The image as a PPM at `path`, written atomically (see AtomicFile) straight
// from the image, without a copy. Returns "" or the reason.
[[nodiscard]] std::string WritePpm(const std::string& path, const RgbImage& image);

}  // namespace seedscape
