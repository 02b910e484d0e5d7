#include "colour/encode_steps.h"

#include <algorithm>
#include <bit>

#include "colour/linear_light.h"
#include "maths/maths.h"

namespace seedscape {

namespace {

// Doubles from 0 to 1 are ordered as their bits are.
std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}
double FromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

const std::uint64_t kOneBits = Bits(1.0);

// How many values either side of each step are checked.
constexpr std::uint64_t kChecked = 8;

// Where the channel about reaches `k`: the middle between the codes k - 1
// and k, decoded and raised to gamma. Only a place to start looking.
double AboutWhereItReaches(int k, double gamma) {
    const double encoded = (k - 0.5) / 255;
    const double light =
        encoded <= 0.04045 ? encoded / 12.92 : maths::Pow((encoded + 0.055) / 1.055, 2.4);
    return std::clamp(gamma == 1 ? light : maths::Pow(light, gamma), 0.0, 1.0);
}

}  // namespace

std::uint8_t RaiseAndEncode(double channel, double gamma) {
    if (gamma != 1 && channel > 0 && channel < 1) channel = maths::Pow(channel, 1 / gamma);
    return SrgbFromLinear(channel);
}

EncodeSteps::EncodeSteps(double gamma) : gamma_(gamma) {
    const auto step = [gamma](std::uint64_t bits) { return RaiseAndEncode(FromBits(bits), gamma); };
    for (int k = 1; k <= 255; ++k) {
        // Halve [below, reaching] until they are neighbours: step(below) < k
        // <= step(reaching). 0 gives 0 and 1 gives 255, so they hold it
        // whenever the guess's neighbourhood does not.
        const std::uint64_t guess = Bits(AboutWhereItReaches(k, gamma));
        constexpr std::uint64_t kNear = 1 << 12;
        std::uint64_t below = guess > kNear ? guess - kNear : 0;
        std::uint64_t reaching = std::min(guess + kNear, kOneBits);
        if (step(below) >= k) below = 0;
        if (step(reaching) < k) reaching = kOneBits;
        while (reaching - below > 1) {
            const std::uint64_t middle = below + (reaching - below) / 2;
            (step(middle) >= k ? reaching : below) = middle;
        }
        for (std::uint64_t j = 0; j < kChecked; ++j) {
            const bool rises = (reaching < j + 1 || step(reaching - j - 1) < k) &&
                               (reaching + j > kOneBits || step(reaching + j) >= k);
            if (!rises) looked_up_ = false;
        }
        first_reaching_[k - 1] = FromBits(reaching);
    }
    first_reaching_[255] = 2;
}

std::uint8_t EncodeSteps::operator()(double channel) const {
    if (!looked_up_) return RaiseAndEncode(channel, gamma_);
    if (!(channel > 0)) return 0;  // NaN too
    // How many of the values the channel has reached, found without
    // branches: each halving adds its half when the channel reaches its top.
    std::size_t reached = 0;
    for (std::size_t half = 128; half > 0; half /= 2) {
        reached += first_reaching_[reached + half - 1] <= channel ? half : 0;
    }
    return static_cast<std::uint8_t>(reached);
}

std::shared_ptr<const EncodeSteps> EncodeStepsFor(double gamma) {
    thread_local std::shared_ptr<const EncodeSteps> last;
    if (!last || last->gamma() != gamma) last = std::make_shared<const EncodeSteps>(gamma);
    return last;
}

}  // namespace seedscape
