#include "test_support.h"

#include <png.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace seedscape::cli::testing {

PixelImage ReadPng(const std::string& path) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return PixelImage(0, 0);
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr) == 0) {
        return PixelImage(0, 0);
    }
    const int width = static_cast<int>(png.width);
    PixelImage image(width, static_cast<int>(png.height));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            image.SetPixel(x, y, MakeColour(p[0], p[1], p[2]));
        }
    }
    return image;
}

PixelImage ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maximum = 0;
    file >> magic >> width >> height >> maximum;
    if (!file || magic != "P6" || maximum != 255 || file.get() != '\n') return PixelImage(0, 0);
    std::vector<char> rgb(static_cast<std::size_t>(width) * height * 3);
    if (!file.read(rgb.data(), static_cast<std::streamsize>(rgb.size())) ||
        file.peek() != std::ifstream::traits_type::eof()) {
        return PixelImage(0, 0);
    }
    PixelImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(
                &rgb[(static_cast<std::size_t>(y) * width + x) * 3]);
            image.SetPixel(x, y, MakeColour(p[0], p[1], p[2]));
        }
    }
    return image;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace seedscape::cli::testing
