#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace seedscape {

// The last step of a grading for one channel clamped to 0..1: raised to
// 1/gamma (when gamma is not 1), then encoded to 8-bit sRGB, as written.
std::uint8_t RaiseAndEncode(double channel, double gamma);

// The same step looked up instead of computed: it never falls as the
// channel rises, so the 255 channel values at which it first reaches 1, 2,
// ..., 255 say all there is to it, and a binary search among them replaces
// two powers. Each of these values is found on the computed step itself,
// to the last bit, and the step is checked a few values either side of it;
// should it ever not rise there, every channel is computed instead.
class EncodeSteps {
  public:
    explicit EncodeSteps(double gamma);

    double gamma() const { return gamma_; }
    // False if the step did not rise where it was checked: then it is computed.
    bool looked_up() const { return looked_up_; }

    // RaiseAndEncode(channel, gamma), for a channel from 0 to 1.
    std::uint8_t operator()(double channel) const;

  private:
    double gamma_;
    bool looked_up_ = true;
    // [k - 1]: the least channel giving k; the last, above every channel,
    // makes 256 of them for the search to halve.
    std::array<double, 256> first_reaching_{};
};

// The steps of `gamma`, made once for as long as a thread keeps asking for
// the same gamma: a picture and the ones drawn after it share them.
std::shared_ptr<const EncodeSteps> EncodeStepsFor(double gamma);

}  // namespace seedscape
