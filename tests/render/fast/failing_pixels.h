#pragma once

#include <ostream>

#include "bench/benchmark_seeds.h"
#include "state/image_mother_parameters.h"

namespace seedscape {

// Reference points on the plane points of pixels (144, 78), (18, 26) and
// (180, 130) make those distances exactly 0: the factors that divide by a
// distance fail there, and so do many colour statements.
inline ImageState MotherWithPointsOnPixels(int fak01, int fak02, int barva) {
    ImageState state = ImageMotherRecord(kBenchmarkSeeds[1]);
    state.xt1 = 0.0;
    state.yt1 = 0.5;
    state.xt2 = -1.75;
    state.yt2 = 1.5;
    state.xt3 = 0.5;
    state.yt3 = -0.5;
    state.fak01 = fak01;
    state.fak02 = fak02;
    state.barva = barva;
    return state;
}

struct FailureCase {
    const char* name;
    int fak01;
    int fak02;
    int barva;
};

inline void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

// Factor pairs and schemes that fail where a reference point lies on a pixel.
inline constexpr FailureCase kFailureCases[] = {
    {"first_factor_11_fails_where_r1_is_0", 11, 1, 7},
    {"first_factor_21_fails_where_r2_is_0", 21, 6, 5},
    {"both_factors_22_fail", 22, 22, 13},
    {"factor_23_fails_before_11", 23, 11, 2},
    {"second_factor_21_fails_after_a_good_first", 1, 21, 4},
    {"both_factors_23_fail", 23, 23, 16},
    {"both_factors_11_fail", 11, 11, 21},
    {"factor_22_then_23", 22, 23, 10},
    {"factor_21_then_11_with_scheme_11", 21, 11, 11},
    {"second_factor_22_after_6", 6, 22, 6},
    {"scheme_15_fails_in_regions", 2, 3, 15},
    {"scheme_14_fails_in_regions", 7, 1, 14},
};

}  // namespace seedscape
