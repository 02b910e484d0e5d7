#pragma once

#include <cstdint>

namespace seedscape {

// A colour value: red + 256 * green + 65536 * blue, each channel 0 to 255.
using ColourValue = std::uint32_t;

constexpr ColourValue MakeColour(int red, int green, int blue) {
    return static_cast<ColourValue>(red + 256 * green + 65536 * blue);
}
constexpr int RedOf(ColourValue colour) {
    return static_cast<int>(colour & 0xFFU);
}
constexpr int GreenOf(ColourValue colour) {
    return static_cast<int>((colour >> 8U) & 0xFFU);
}
constexpr int BlueOf(ColourValue colour) {
    return static_cast<int>((colour >> 16U) & 0xFFU);
}

// Where images are drawn: the window's canvas, or an image in memory.
// Coordinates are surface pixels, origin top left, y growing downwards.
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;
    virtual void SetPixel(int x, int y, ColourValue colour) = 0;

    // Sets `count` pixels of column x from row `top` down. Surfaces that can
    // take a whole column at once override it.
    virtual void SetColumn(int x, int top, const ColourValue* colours, int count) {
        for (int k = 0; k < count; ++k) SetPixel(x, top + k, colours[k]);
    }
};

}  // namespace seedscape
