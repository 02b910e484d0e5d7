#include "video/gif_palette.h"

#include <algorithm>
#include <limits>

namespace seedscape {

namespace {

constexpr int kSide = 32;  // cells a channel
constexpr int kShift = 3;  // 8 bits to 5
constexpr int kCells = kSide * kSide * kSide;

int CellOf(int red, int green, int blue) {
    return ((red >> kShift) * kSide + (green >> kShift)) * kSide + (blue >> kShift);
}

// A box of cells, lo and hi inclusive, per channel.
struct Box {
    std::array<int, 3> lo{};
    std::array<int, 3> hi{};
    std::uint64_t count = 0;
};

template <typename Visit>
void ForEachCell(const Box& box, Visit visit) {
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b)
                visit(r, g, b, (r * kSide + g) * kSide + b);
}

}  // namespace

GifPalette::GifPalette() : cells_(kCells) {}

void GifPalette::Count(const RgbImage& frame) {
    const std::uint8_t* pixel = frame.pixels.data();
    const std::size_t pixels = frame.pixels.size() / 3;
    for (std::size_t k = 0; k < pixels; ++k, pixel += 3) {
        Cell& cell = cells_[CellOf(pixel[0], pixel[1], pixel[2])];
        ++cell.count;
        cell.red += pixel[0];
        cell.green += pixel[1];
        cell.blue += pixel[2];
    }
}

void GifPalette::Build() {
    // Shrinks a box to the cells that hold pixels, and counts them.
    const auto shrink = [&](Box& box) {
        Box tight{{kSide, kSide, kSide}, {-1, -1, -1}, 0};
        ForEachCell(box, [&](int r, int g, int b, int cell) {
            if (cells_[cell].count == 0) return;
            const std::array<int, 3> at{r, g, b};
            for (int c = 0; c < 3; ++c) {
                tight.lo[c] = std::min(tight.lo[c], at[c]);
                tight.hi[c] = std::max(tight.hi[c], at[c]);
            }
            tight.count += cells_[cell].count;
        });
        box = tight;
    };
    std::vector<Box> boxes{Box{{0, 0, 0}, {kSide - 1, kSide - 1, kSide - 1}, 0}};
    shrink(boxes[0]);
    if (boxes[0].count == 0) boxes.clear();

    // Median cut: the box with the most pixels that spans more than one cell
    // is halved by pixel count along its longest side, until 256 boxes.
    while (boxes.size() < colours_.size()) {
        int chosen = -1;
        for (int k = 0; k < static_cast<int>(boxes.size()); ++k) {
            const Box& box = boxes[k];
            const bool splits = box.lo != box.hi;
            if (splits && (chosen < 0 || box.count > boxes[chosen].count)) chosen = k;
        }
        if (chosen < 0) break;
        Box& box = boxes[chosen];
        int axis = 0;
        for (int c = 1; c < 3; ++c) {
            if (box.hi[c] - box.lo[c] > box.hi[axis] - box.lo[axis]) axis = c;
        }
        std::array<std::uint64_t, kSide> slices{};
        ForEachCell(box, [&](int r, int g, int b, int cell) {
            const std::array<int, 3> at{r, g, b};
            slices[at[axis]] += cells_[cell].count;
        });
        // The last slice of the lower half: where half the pixels are
        // reached, but never the box's last slice, so both halves hold some.
        int cut = box.lo[axis];
        std::uint64_t below = slices[cut];
        while (cut + 1 < box.hi[axis] && below * 2 < box.count) below += slices[++cut];
        Box upper = box;
        box.hi[axis] = cut;
        upper.lo[axis] = cut + 1;
        shrink(box);
        shrink(upper);
        boxes.push_back(upper);
    }

    // Each box's colour: the mean of its pixels.
    std::vector<std::array<int, 3>> means;
    for (const Box& box : boxes) {
        std::uint64_t sums[3] = {0, 0, 0};
        ForEachCell(box, [&](int, int, int, int cell) {
            sums[0] += cells_[cell].red;
            sums[1] += cells_[cell].green;
            sums[2] += cells_[cell].blue;
        });
        std::array<int, 3> mean{};
        for (int c = 0; c < 3; ++c)
            mean[c] = static_cast<int>((sums[c] + box.count / 2) / box.count);
        means.push_back(mean);
    }
    size_ = static_cast<int>(means.size());
    colours_.fill(0xFF000000u);
    for (int k = 0; k < size_; ++k) {
        colours_[k] = 0xFF000000u | static_cast<std::uint32_t>(means[k][0]) << 16 |
                      static_cast<std::uint32_t>(means[k][1]) << 8 |
                      static_cast<std::uint32_t>(means[k][2]);
    }

    // Every cell to the colour nearest the mean of its pixels (an empty cell,
    // which no surveyed frame reaches, to the one nearest its middle).
    index_of_.assign(kCells, 0);
    Box all{{0, 0, 0}, {kSide - 1, kSide - 1, kSide - 1}, 0};
    ForEachCell(all, [&](int r, int g, int b, int cell) {
        const Cell& counted = cells_[cell];
        std::array<std::int64_t, 3> at{};
        if (counted.count > 0) {
            at = {static_cast<std::int64_t>(counted.red / counted.count),
                  static_cast<std::int64_t>(counted.green / counted.count),
                  static_cast<std::int64_t>(counted.blue / counted.count)};
        } else {
            const int middle = (1 << kShift) / 2;
            at = {(r << kShift) + middle, (g << kShift) + middle, (b << kShift) + middle};
        }
        std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
        for (int k = 0; k < size_; ++k) {
            std::int64_t distance = 0;
            for (int c = 0; c < 3; ++c) {
                const std::int64_t d = at[c] - means[k][c];
                distance += d * d;
            }
            if (distance < nearest) {
                nearest = distance;
                index_of_[cell] = static_cast<std::uint8_t>(k);
            }
        }
    });
    cells_.clear();
    cells_.shrink_to_fit();
}

void GifPalette::Map(const RgbImage& frame, std::uint8_t* indices, int stride) const {
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* pixel = frame.At(0, y);
        std::uint8_t* row = indices + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < frame.width; ++x, pixel += 3) {
            row[x] = index_of_[CellOf(pixel[0], pixel[1], pixel[2])];
        }
    }
}

}  // namespace seedscape
