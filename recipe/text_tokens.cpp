#include "recipe/text_tokens.h"

namespace seedscape {

std::vector<std::string_view> SplitTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t k = 0;
    while (k < text.size()) {
        while (k < text.size() && IsBlank(text[k])) ++k;
        const std::size_t begin = k;
        while (k < text.size() && !IsBlank(text[k])) ++k;
        if (k > begin) tokens.push_back(text.substr(begin, k - begin));
    }
    return tokens;
}

}  // namespace seedscape
