#include "colour/grading.h"

#include <algorithm>
#include <numbers>

#include "colour/linear_light.h"
#include "maths/maths.h"

namespace seedscape {

namespace {

// Rec. 709 weights of red, green and blue in the luminance.
constexpr double kRedWeight = 0.2126;
constexpr double kGreenWeight = 0.7152;
constexpr double kBlueWeight = 0.0722;

// The turn of the hue by t is a rotation about the grey axis k = (1,1,1)/sqrt(3)
// (Rodrigues' formula):
//
//   c' = c cos t + (k x c) sin t + k (k . c)(1 - cos t)
//
// which, written out with q = (1 - cos t) / 3 and w = sin t / sqrt(3), is
//
//   | r' |   | cos t + q   q - w       q + w     | | r |
//   | g' | = | q + w       cos t + q   q - w     | | g |
//   | b' |   | q - w       q + w       cos t + q | | b |
//
// A positive turn takes red towards green, green towards blue and blue
// towards red: 120 degrees takes pure red to pure green. Greys lie on the
// axis and stay as they are.
std::array<double, 9> TurnMatrix(double degrees) {
    const double t = degrees * (std::numbers::pi / 180);
    const double cos_t = maths::Cos(t);
    const double q = (1 - cos_t) / 3;
    const double w = maths::Sin(t) / maths::Sqrt(3);
    const double d = cos_t + q;
    return {d,     q - w, q + w,  //
            q + w, d,     q - w,  //
            q - w, q + w, d};
}

}  // namespace

Grader::Grader(const Grading& grading)
    : neutral_(grading.IsNeutral()),
      expose_(grading.exposure != 0),
      turn_(grading.hue != 0),
      saturate_(grading.saturation != 1),
      gain_(maths::Pow(2, grading.exposure)),
      saturation_(grading.saturation),
      encode_(EncodeStepsFor(grading.gamma)) {
    if (turn_) turn_matrix_ = TurnMatrix(grading.hue);
}

SrgbColour Grader::GradeLight(const LinearColour& light) const {
    LinearColour c = light;
    if (expose_) {
        for (double& channel : c) channel *= gain_;
    }
    if (turn_) {
        const std::array<double, 9>& m = turn_matrix_;
        c = {m[0] * c[0] + m[1] * c[1] + m[2] * c[2],  //
             m[3] * c[0] + m[4] * c[1] + m[5] * c[2],  //
             m[6] * c[0] + m[7] * c[1] + m[8] * c[2]};
    }
    if (saturate_) {
        const double luminance = kRedWeight * c[0] + kGreenWeight * c[1] + kBlueWeight * c[2];
        for (double& channel : c) channel = luminance + saturation_ * (channel - luminance);
    }
    SrgbColour encoded{};
    for (int k = 0; k < 3; ++k) encoded[k] = (*encode_)(std::clamp(c[k], 0.0, 1.0));
    return encoded;
}

SrgbColour Grader::GradeSrgb(const SrgbColour& colour) const {
    if (neutral_) return colour;
    return GradeLight(
        {LinearFromSrgb(colour[0]), LinearFromSrgb(colour[1]), LinearFromSrgb(colour[2])});
}

}  // namespace seedscape
