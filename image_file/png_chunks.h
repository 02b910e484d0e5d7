#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "image_file/png_keywords.h"

namespace seedscape {

// A tEXt chunk looked for: its keyword, the longest text taken from it, and
// what messages call it.
struct PngTextWanted {
    std::string_view keyword;
    std::size_t longest = 0;
    std::string_view name;  // "seedscape recipe": "x.png carries no seedscape recipe"
};

inline constexpr PngTextWanted kRecipeText = {kRecipeKeyword, kLongestRecipeText,
                                              "seedscape recipe"};

// What walking a PNG's chunks found, and what is wrong with it.
struct PngChunkScan {
    enum class Fault {
        kNone,
        kUnreadable,  // missing, not a PNG, truncated or damaged
        kNoText,      // a sound PNG, without the text
        kBadText,     // a sound PNG whose text cannot be trusted: too long, twice, damaged
    };
    Fault fault = Fault::kNone;
    std::string error;  // names the file
    std::string text;   // when there is no fault
};

// Walks the chunks of the PNG at `path` from the signature to IEND, without
// decoding the pixels, checking the file's structure and finding the text
// under the wanted keyword. Only the image header and that text's chunk are
// read whole, and that one only when it is no longer than the text may be,
// so an untrusted file can make this neither crash nor read much; walking
// to IEND tells a truncated file.
PngChunkScan ScanPngChunks(const std::string& path, const PngTextWanted& wanted = kRecipeText);

// Either the recipe text a file carries or why there is none.
struct PngRecipeReading {
    std::optional<std::string> recipe;
    std::string error;
};

// The text of the file's recipe chunk, found by walking the chunks without
// decoding the pixels. The file is untrusted: a missing or unreadable file, a
// file that is not a PNG, a truncated or damaged one, one without a recipe or
// with one longer than kLongestRecipeText each give a reason that names the
// file. The text is returned as it is: ParseRecipe judges it.
PngRecipeReading ReadPngRecipe(const std::string& path);

}  // namespace seedscape
