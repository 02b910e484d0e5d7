#include "tests/support/image_difference.h"

#include <algorithm>
#include <cstdint>

namespace seedscape::testing {

namespace {

std::string Size(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::string Colour(const std::uint8_t* rgb) {
    return "(" + std::to_string(rgb[0]) + ", " + std::to_string(rgb[1]) + ", " +
           std::to_string(rgb[2]) + ")";
}

}  // namespace

std::string ImageDifference(const RgbImage& got, const RgbImage& want) {
    if (got.width != want.width || got.height != want.height) {
        return "sizes " + Size(got.width, got.height) + " and " + Size(want.width, want.height);
    }
    long count = 0;
    std::string first;
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            if (std::equal(got.At(x, y), got.At(x, y) + 3, want.At(x, y))) continue;
            if (count++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): got " +
                        Colour(got.At(x, y)) + ", want " + Colour(want.At(x, y));
            }
        }
    }
    if (count == 0) return "";
    return std::to_string(count) + (count == 1 ? " pixel differs" : " pixels differ") +
           ", the first at " + first;
}

std::string ImageDifference(const PixelImage& got, const PixelImage& want) {
    if (got == want) return "";
    return ImageDifference(ToRgb(got), ToRgb(want));
}

}  // namespace seedscape::testing
