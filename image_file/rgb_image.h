#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/pixel_image.h"

namespace seedscape {

// An image as files hold it: 8-bit red, green and blue, three bytes a pixel,
// rows top to bottom. Exports of many megapixels are kept in this form, a
// quarter smaller than a PixelImage.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h)
        : width(w),
          height(h),
          pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) {}

    std::uint8_t* At(int x, int y) {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   3;
    }
    const std::uint8_t* At(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   3;
    }
    friend bool operator==(const RgbImage&, const RgbImage&) = default;
};

inline RgbImage ToRgb(const PixelImage& image) {
    RgbImage rgb(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const ColourValue colour = image.At(x, y);
            std::uint8_t* pixel = rgb.At(x, y);
            pixel[0] = static_cast<std::uint8_t>(RedOf(colour));
            pixel[1] = static_cast<std::uint8_t>(GreenOf(colour));
            pixel[2] = static_cast<std::uint8_t>(BlueOf(colour));
        }
    }
    return rgb;
}

}  // namespace seedscape
