#pragma once

#include <cctype>
#include <string>

namespace seedscape::testing {

// GoogleTest parameter names allow only letters, digits and underscores:
// "scheme 7 keeps green" becomes "scheme_7_keeps_green".
inline std::string RowName(const std::string& what) {
    std::string name;
    for (const char c : what) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
}

}  // namespace seedscape::testing
