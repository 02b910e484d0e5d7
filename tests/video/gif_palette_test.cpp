// The GIF palette: median cut finds every colour of a picture that has no
// more than it can hold, and a picture of one colour gets that colour.
#include "video/gif_palette.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace seedscape {
namespace {

std::uint32_t Packed(const std::uint8_t* pixel) {
    return 0xFF000000u | static_cast<std::uint32_t>(pixel[0]) << 16 |
           static_cast<std::uint32_t>(pixel[1]) << 8 | pixel[2];
}

// 256 colours, one in each of 8 x 8 x 4 histogram cells, in runs of uneven
// length so that the boxes hold uneven counts.
TEST(GifPalette, KeepsEveryColourOfAPictureOf256) {
    RgbImage image(256, 20);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int k = (x + (x % 7) * y) % 256;
            std::uint8_t* pixel = image.At(x, y);
            pixel[0] = static_cast<std::uint8_t>((k % 8) * 32 + 5);
            pixel[1] = static_cast<std::uint8_t>((k / 8 % 8) * 32 + 9);
            pixel[2] = static_cast<std::uint8_t>((k / 64) * 64 + 17);
        }
    }
    GifPalette palette;
    palette.Count(image);
    palette.Build();
    EXPECT_EQ(palette.size(), 256);
    std::vector<std::uint8_t> indices(image.width * image.height);
    palette.Map(image, indices.data(), image.width);
    std::set<std::uint32_t> wrong;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t want = Packed(image.At(x, y));
            if (palette.colours()[indices[y * image.width + x]] != want) wrong.insert(want);
        }
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " colours are not kept";
}

TEST(GifPalette, GivesAFlatPictureItsOwnColour) {
    RgbImage image(3, 2);
    for (std::size_t k = 0; k < image.pixels.size(); k += 3) {
        image.pixels[k] = 200;
        image.pixels[k + 1] = 13;
        image.pixels[k + 2] = 77;
    }
    GifPalette palette;
    palette.Count(image);
    palette.Count(image);
    palette.Build();
    ASSERT_EQ(palette.size(), 1);
    std::uint8_t indices[6] = {9, 9, 9, 9, 9, 9};
    palette.Map(image, indices, 3);
    for (const std::uint8_t index : indices) EXPECT_EQ(index, 0);
    EXPECT_EQ(palette.colours()[0], 0xFFC80D4Du);
}

}  // namespace
}  // namespace seedscape
