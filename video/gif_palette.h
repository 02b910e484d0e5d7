#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "image_file/rgb_image.h"

namespace seedscape {

// One palette of at most 256 colours for every frame of a GIF, so that the
// colours do not flicker from frame to frame and the file carries one table.
//
// Every frame is counted into a histogram of 32 x 32 x 32 cells (the top five
// bits of red, green and blue), together with the sums of the colours that
// fell in each cell; median cut then splits the cells into at most 256 boxes,
// each box's colour being the mean of the pixels in it. Five bits a channel
// keep the histogram at a megabyte whatever the number of frames: a cell is
// eight levels wide, finer than 256 colours can spread over a picture's range.
// Each cell is then mapped once to the palette colour nearest its mean, and a
// pixel's index is a look-up of its cell; no dithering, so a flat area stays
// flat from frame to frame.
class GifPalette {
  public:
    GifPalette();

    // Counts a frame's pixels. Only before Build().
    void Count(const RgbImage& frame);

    // Chooses the colours from everything counted and frees the histogram.
    void Build();

    // The colours as 0xAARRGGBB with full alpha, the unused ones black.
    const std::array<std::uint32_t, 256>& colours() const { return colours_; }
    int size() const { return size_; }

    // The palette index of every pixel of `frame`, rows top to bottom, into
    // `indices` with `stride` bytes a row. Only after Build().
    void Map(const RgbImage& frame, std::uint8_t* indices, int stride) const;

  private:
    struct Cell {
        std::uint64_t count = 0;
        std::uint64_t red = 0, green = 0, blue = 0;  // sums of the pixels in it
    };

    std::vector<Cell> cells_;             // while counting
    std::vector<std::uint8_t> index_of_;  // per cell, after Build()
    std::array<std::uint32_t, 256> colours_{};
    int size_ = 0;
};

}  // namespace seedscape
