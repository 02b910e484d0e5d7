#pragma once

namespace seedscape {

// The windows show their pictures at a whole zoom: each pixel a square of
// 1, 2 or 3 screen pixels a side.
inline constexpr int kLargestZoom = 3;

}  // namespace seedscape
