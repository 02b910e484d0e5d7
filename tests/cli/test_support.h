#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "render/pixel_image.h"
#include "tests/support/engine_images.h"
#include "tests/support/image_difference.h"
#include "tests/support/scratch_directory.h"

namespace seedscape::cli::testing {

using seedscape::testing::ScratchDirectory;

using seedscape::testing::EngineImageMother;
using seedscape::testing::ImageDifference;

// Read back with libpng as 8-bit RGB, or by parsing the P6 header; an empty
// 0 x 0 image when the file is not what it should be.
PixelImage ReadPng(const std::string& path);
PixelImage ReadPpm(const std::string& path);

std::string ReadText(const std::string& path);

}  // namespace seedscape::cli::testing
