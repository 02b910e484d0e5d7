#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "colour/encode_steps.h"
#include "state/parameter_ranges.h"

namespace seedscape {

// The ranges of a grading's four values, each end included. A turn of -180
// degrees and one of 180 are the same turn; both are accepted, as either may
// be what a user means.
inline constexpr ClosedRange kHueRange{-180, 180};    // degrees
inline constexpr ClosedRange kSaturationRange{0, 2};  // 0 is grey, 1 as drawn
inline constexpr ClosedRange kExposureRange{-3, 3};   // stops
inline constexpr ClosedRange kGammaRange{0.25, 4};

// A colour grading of a finished picture, applied in linear light after the
// colour scheme. The defaults leave every pixel as it was drawn.
struct Grading {
    double hue = 0;
    double saturation = 1;
    double exposure = 0;
    double gamma = 1;

    bool IsNeutral() const { return *this == Grading{}; }
    friend bool operator==(const Grading&, const Grading&) = default;
};

// Linear light of red, green and blue, 0 to 1.
using LinearColour = std::array<double, 3>;
// 8-bit sRGB red, green and blue.
using SrgbColour = std::array<std::uint8_t, 3>;

// A grading made ready to apply to many pixels: its gain, its hue turn as a
// matrix and its last step (raising and encoding) as a table, worked out once.
class Grader {
  public:
    explicit Grader(const Grading& grading);

    bool neutral() const { return neutral_; }

    // Grades linear light and encodes it to 8-bit sRGB, in this order:
    // multiply by 2^exposure; turn the hue about the grey axis; mix with the
    // luminance by the saturation; clamp to 0..1; raise to 1/gamma; encode.
    // A step at its neutral value is skipped, so a neutral grading encodes
    // the light exactly as SrgbFromLinear does.
    SrgbColour GradeLight(const LinearColour& light) const;

    // An 8-bit sRGB pixel decoded to linear light, graded and encoded again.
    // A neutral grading returns the pixel untouched.
    SrgbColour GradeSrgb(const SrgbColour& colour) const;

  private:
    bool neutral_;
    bool expose_;
    bool turn_;
    bool saturate_;
    double gain_;
    std::array<double, 9> turn_matrix_{};  // row by row
    double saturation_;
    std::shared_ptr<const EncodeSteps> encode_;  // raises to 1/gamma and encodes
};

}  // namespace seedscape
