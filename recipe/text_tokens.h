#pragma once

#include <string_view>
#include <vector>

namespace seedscape {

// Blanks separate the tokens of a recipe and of a flight's lines: spaces and
// tabs, nothing else.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The tokens of `text` between blanks, as views into it.
std::vector<std::string_view> SplitTokens(std::string_view text);

}  // namespace seedscape
