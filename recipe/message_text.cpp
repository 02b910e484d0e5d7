#include "recipe/message_text.h"

#include <cstddef>

namespace seedscape {

namespace {

// The Unicode controls of writing direction (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069): shown as they are, they reorder the
// rest of a message, so that it reads other than it is.
bool IsDirectionControl(std::string_view character) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(character[k]); };
    if (character.size() == 2) return byte(0) == 0xd8 && byte(1) == 0x9c;
    if (character.size() != 3 || byte(0) != 0xe2) return false;
    if (byte(1) == 0x80)
        return byte(2) == 0x8e || byte(2) == 0x8f || (byte(2) >= 0xaa && byte(2) <= 0xae);
    return byte(1) == 0x81 && byte(2) >= 0xa6 && byte(2) <= 0xa9;
}

// How many bytes the well-formed UTF-8 character of two or more bytes at the
// start of `text` takes, or 0 when it is not one (overlong forms and
// surrogates included).
std::size_t MultiByteCharacterLength(std::string_view text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char lowest = 0x80;   // the second byte's range, narrowed where
    unsigned char highest = 0xbf;  // the lead alone would allow bad forms
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) lowest = 0xa0;
        if (lead == 0xed) highest = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) lowest = 0x90;
        if (lead == 0xf4) highest = 0x8f;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < lowest || byte(1) > highest) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xbf) return 0;
    }
    // U+0080 to U+009F are the C1 controls; 0x9b alone is a control sequence
    // introducer on terminals that take it.
    if (lead == 0xc2 && byte(1) <= 0x9f) return 0;
    if (IsDirectionControl(text.substr(0, length))) return 0;
    return length;
}

void AppendHex(std::string& out, unsigned char c) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0xf];
}

}  // namespace

std::string EscapeForMessage(std::string_view typed) {
    std::string out;
    out.reserve(typed.size());
    for (std::size_t k = 0; k < typed.size();) {
        const auto c = static_cast<unsigned char>(typed[k]);
        if (c >= 0x80) {
            if (const std::size_t length = MultiByteCharacterLength(typed.substr(k))) {
                out += typed.substr(k, length);
                k += length;
            } else {
                AppendHex(out, c);
                ++k;
            }
            continue;
        }
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    AppendHex(out, c);
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++k;
    }
    return out;
}

}  // namespace seedscape
