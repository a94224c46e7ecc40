// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/message_text.h"

#include <algorithm>

namespace zentavo {

namespace {

// The length of the valid UTF-8 character at `i`, 0 when none starts there.
std::size_t CharacterLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) -> unsigned char {
        return k < s.size() ? static_cast<unsigned char>(s[k]) : 0;
    };
    const auto continuation = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
    const unsigned char b = byte(i);
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return continuation(i + 1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char b1 = byte(i + 1);
        // No overlong forms, no UTF-16 surrogates.
        if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 > 0x9F)) return 0;
        return continuation(i + 1) && continuation(i + 2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char b1 = byte(i + 1);
        if ((b == 0xF0 && b1 < 0x90) || (b == 0xF4 && b1 > 0x8F)) return 0;
        return continuation(i + 1) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
    }
    return 0;
}

// Whether the character of `length` bytes at `i` is one a terminal acts on.
bool Acts(std::string_view s, std::size_t i, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    if (length == 1) return byte(i) < 0x20 || byte(i) == 0x7F;
    if (length == 2) return byte(i) == 0xC2 && byte(i + 1) <= 0x9F;  // U+0080..U+009F
    if (length == 3 && byte(i) == 0xE2) {
        const unsigned b = (static_cast<unsigned>(byte(i + 1)) << 8) | byte(i + 2);
        return (b >= 0x80AA && b <= 0x80AE) || (b >= 0x81A6 && b <= 0x81A9);  // U+202A..E, U+2066..9
    }
    return false;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (length != 0 && !Acts(text, i, length)) {
            out.append(text, i, length);
            i += length;
            continue;
        }
        for (std::size_t k = 0; k < std::max<std::size_t>(length, 1); ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
        i += std::max<std::size_t>(length, 1);
    }
    return out;
}

}  // namespace zentavo
