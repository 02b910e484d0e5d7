#include "recipe/printable.h"

#include <array>

namespace seedscape {

std::string Printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                   '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
            shown += "\\x";
            shown += kHex[byte >> 4U];
            shown += kHex[byte & 0xFU];
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace seedscape
