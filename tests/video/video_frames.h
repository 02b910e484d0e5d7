#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

#include "image_file/rgb_image.h"

namespace seedscape::testing {

// Frame n of a gradient that moves: red across, green down, and blue in
// bands that slide right by eight pixels a frame, so that frames out of
// order, a wrong colour matrix or a lost column all show.
inline RgbImage MovingGradient(int width, int height, int n) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = image.At(x, y);
            const int band = (x + 8 * n) % 256;
            pixel[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            pixel[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            pixel[2] = static_cast<std::uint8_t>(band < 128 ? 2 * band : 511 - 2 * band);
        }
    }
    return image;
}

// The largest difference, in any channel, between the means of the same
// 8 x 8 block of `got` and `want`, over `want`'s size (`got` may be larger).
inline int LargestBlockDifference(const RgbImage& got, const RgbImage& want) {
    constexpr int kBlock = 8;
    int largest = 0;
    for (int top = 0; top + kBlock <= want.height; top += kBlock) {
        for (int left = 0; left + kBlock <= want.width; left += kBlock) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int y = top; y < top + kBlock; ++y) {
                    for (int x = left; x < left + kBlock; ++x) {
                        sum += got.At(x, y)[c] - want.At(x, y)[c];
                    }
                }
                largest = std::max(largest, std::abs(sum) / (kBlock * kBlock));
            }
        }
    }
    return largest;
}

}  // namespace seedscape::testing
