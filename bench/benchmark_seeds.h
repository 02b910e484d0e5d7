#pragma once

#include <array>

namespace seedscape {

// The fixed seeds the benchmark renders and the fast path is checked on:
// spread over the whole range, so they cover many schemes and factors.
inline constexpr std::array<int, 20> kBenchmarkSeeds = {
    1,      12345,  31337,  77777,  100003, 161803, 200000, 271828, 314159, 404040,
    500000, 577215, 618034, 699999, 750001, 820000, 888888, 930000, 999983, 1000000};

}  // namespace seedscape
