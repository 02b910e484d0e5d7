#pragma once

#include <array>
#include <cstddef>

namespace seedscape::check {

// The values "+" and "--" walk f through, written out once for every test:
// by 1 up to 10, by 2 up to 30, by 5 up to 50, then by 10 up to 100.
inline constexpr std::array<double, 29> kMagnificationLadder = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 14, 16, 18, 20,
    22, 24, 26, 28, 30, 35, 40, 45, 50, 60, 70, 80, 90, 100};

// Where every image mother starts: f = 5.
inline constexpr std::size_t kStartRung = 4;
static_assert(kMagnificationLadder[kStartRung] == 5);

}  // namespace seedscape::check
