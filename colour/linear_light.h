#pragma once

#include <cstdint>

namespace seedscape {

// An sRGB channel value 0..255 as linear light, 0 to 1.
double LinearFromSrgb(std::uint8_t value);

// Linear light, 0 to 1, as the nearest sRGB channel value.
std::uint8_t SrgbFromLinear(double light);

}  // namespace seedscape
