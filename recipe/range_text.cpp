#include "recipe/range_text.h"

#include "recipe/number_text.h"

namespace seedscape {

std::string FromTo(WholeRange range) {
    return std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

std::string WholeNumberText(WholeRange range) {
    return "a whole number from " + FromTo(range);
}

std::string RealNumberText(RealRange range) {
    return "a number from " + FormatRoundTrip(range.lowest) + " up to but not including " +
           FormatRoundTrip(range.below);
}

std::string SecondsText(std::int64_t most_seconds) {
    return "a time in seconds from 0 to " + std::to_string(most_seconds) + ", with at most " +
           std::to_string(kSecondsDecimals) + " digits after the point";
}

std::string ClosedNumberText(ClosedRange range) {
    return "a number from " + FormatRoundTrip(range.lowest) + " to " +
           FormatRoundTrip(range.highest);
}

}  // namespace seedscape
