#pragma once

#include <string>

#include "state/parameter_ranges.h"

namespace seedscape {

// How large a picture may be exported: the scale K draws 291K x 211K pixels,
// the supersampling S averages S x S samples a pixel, and K times S, the
// samples along a side of an image pixel, is bounded too.
inline constexpr WholeRange kScaleRange{1, 32};
inline constexpr WholeRange kSupersampleRange{1, 8};
inline constexpr int kLargestSamplesPerSide = 64;

// "" when the scale and supersampling go together, else why not ("scale
// times supersample must be at most 64"). Each is taken to be in its range.
std::string ExportSizeProblem(int scale, int supersample);

// The largest scale that goes with `supersample`, and the other way round.
constexpr int LargestScaleWith(int supersample) {
    const int most = kLargestSamplesPerSide / supersample;
    return most < kScaleRange.highest ? most : kScaleRange.highest;
}
constexpr int LargestSupersampleWith(int scale) {
    const int most = kLargestSamplesPerSide / scale;
    return most < kSupersampleRange.highest ? most : kSupersampleRange.highest;
}

}  // namespace seedscape
