// Every picture test leans on this comparison: it must see a change in one
// channel of one pixel, and name the first changed pixel in reading order.
#include "tests/support/image_difference.h"

#include <gtest/gtest.h>

namespace seedscape::testing {
namespace {

RgbImage Gradient(int width, int height) {
    RgbImage image(width, height);
    for (std::size_t k = 0; k < image.pixels.size(); ++k) {
        image.pixels[k] = static_cast<std::uint8_t>(k * 7);
    }
    return image;
}

TEST(ImageDifference, NamesTheSizesOrTheCountAndTheFirstPixelInReadingOrder) {
    const RgbImage want = Gradient(4, 3);
    EXPECT_EQ(ImageDifference(want, want), "");

    RgbImage blue_off = want;
    blue_off.At(3, 0)[2] += 1;  // the last channel of the last pixel of the top row
    EXPECT_EQ(ImageDifference(blue_off, want),
              "1 pixel differs, the first at (3, 0): got (63, 70, 78), want (63, 70, 77)");

    RgbImage two_off = want;
    two_off.At(0, 2)[0] = 0;  // further down, though further left
    two_off.At(2, 1)[1] = 0;
    EXPECT_EQ(ImageDifference(two_off, want),
              "2 pixels differ, the first at (2, 1): got (126, 0, 140), want (126, 133, 140)");

    EXPECT_EQ(ImageDifference(Gradient(3, 4), want), "sizes 3x4 and 4x3");
}

TEST(ImageDifference, ReadsAPixelImagesChannelsAsRedGreenBlue) {
    PixelImage got(2, 1);
    PixelImage want(2, 1);
    got.SetPixel(1, 0, MakeColour(10, 20, 30));
    want.SetPixel(1, 0, MakeColour(10, 20, 31));
    EXPECT_EQ(ImageDifference(want, want), "");
    EXPECT_EQ(ImageDifference(got, want),
              "1 pixel differs, the first at (1, 0): got (10, 20, 30), want (10, 20, 31)");
    EXPECT_EQ(ImageDifference(PixelImage(2, 1), PixelImage(1, 2)), "sizes 2x1 and 1x2");
}

}  // namespace
}  // namespace seedscape::testing
