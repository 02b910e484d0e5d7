#include "colour/linear_light.h"

#include <array>

#include "maths/maths.h"

namespace seedscape {

namespace {

// The sRGB transfer curve: a straight piece near black, a power above it.
double Decode(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : maths::Pow((encoded + 0.055) / 1.055, 2.4);
}

double Encode(double light) {
    return light <= 0.0031308 ? light * 12.92 : 1.055 * maths::Pow(light, 1 / 2.4) - 0.055;
}

const std::array<double, 256>& DecodeTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int v = 0; v < 256; ++v) values[v] = Decode(v / 255.0);
        return values;
    }();
    return table;
}

}  // namespace

double LinearFromSrgb(std::uint8_t value) {
    return DecodeTable()[value];
}

std::uint8_t SrgbFromLinear(double light) {
    if (!(light > 0)) return 0;  // NaN too
    if (light >= 1) return 255;
    return static_cast<std::uint8_t>(maths::RoundHalfEven(Encode(light) * 255));
}

}  // namespace seedscape
