#pragma once

#include <string>

namespace seedscape {

// What walking a PNG's chunks found, and what is wrong with it.
struct PngChunkScan {
    enum class Fault {
        kNone,
        kUnreadable,  // missing, not a PNG, truncated or damaged
        kNoRecipe,    // a sound PNG, without a recipe
        kBadRecipe,   // a sound PNG whose recipe chunk cannot be trusted
    };
    Fault fault = Fault::kNone;
    std::string error;   // names the file
    std::string recipe;  // when there is no fault
};

// Walks the chunks of the PNG at `path` from the signature to IEND, without
// decoding the pixels, checking the file's structure and finding its recipe.
PngChunkScan ScanPngChunks(const std::string& path);

}  // namespace seedscape
