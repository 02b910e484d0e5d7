#pragma once

#include <string>
#include <vector>

#include "render/pixel_image.h"

namespace seedscape::cli {

// The image as a binary PPM (P6): header, then red, green, blue per pixel.
std::vector<unsigned char> EncodePpm(const PixelImage& image);

// The image as an 8-bit RGB PNG. Leaves an empty vector and the reason in
// `error` when libpng refuses.
std::vector<unsigned char> EncodePng(const PixelImage& image, std::string& error);

// Writes `bytes` to `path` so that the file appears whole or not at all: the
// bytes go to a temporary file beside it, which is flushed to the disk and
// then renamed over `path`. On failure the temporary is removed and the
// reason is returned ("No space left on device"); on success, "".
[[nodiscard]] std::string WriteFileAtomically(const std::string& path,
                                              const std::vector<unsigned char>& bytes);

// The image as PNG or PPM at `path`, atomically. Returns "" or the reason.
[[nodiscard]] std::string WritePng(const std::string& path, const PixelImage& image);
[[nodiscard]] std::string WritePpm(const std::string& path, const PixelImage& image);

}  // namespace seedscape::cli
