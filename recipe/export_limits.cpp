#include "recipe/export_limits.h"

namespace seedscape {

std::string ExportSizeProblem(int scale, int supersample) {
    if (scale * supersample <= kLargestSamplesPerSide) return {};
    return "scale times supersample must be at most " + std::to_string(kLargestSamplesPerSide);
}

}  // namespace seedscape
