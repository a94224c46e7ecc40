// SPDX-License-Identifier: GPL-3.0-or-later
#include "label/grapheme.h"

#include <algorithm>
#include <iterator>

namespace zentavo {

namespace {

// The symbol boundary rules of Unicode's text segmentation (UAX #29) for the
// symbols that reach an equipment name: combining marks, emoji sequences,
// flags, Hangul. The marks of the Indic scripts that take room of their own
// (spacing vowel signs) are not among them.
enum class Kind { Other, CR, LF, Control, Extend, ZWJ, RegionalIndicator, L, V, T, LV, LVT };

struct Range {
    char32_t first, last;
};

template <std::size_t N>
bool In(const Range (&ranges)[N], char32_t c) {
    const Range* r = std::upper_bound(std::begin(ranges), std::end(ranges), c,
                                      [](char32_t value, const Range& range) { return value < range.first; });
    return r != std::begin(ranges) && c <= (r - 1)->last;
}

// Marks drawn on the symbol before them, and what joins them: combining
// accents (Latin, Greek, Cyrillic, Hebrew, Arabic, symbols, half marks),
// kana voicing, zero-width non-joiner, variation selectors, emoji skin
// tones, tag characters (the flags of England, Scotland, Wales). In order.
constexpr Range kExtend[] = {
    {0x0300, 0x036F},   {0x0483, 0x0489},   {0x0591, 0x05BD},   {0x05BF, 0x05BF},   {0x05C1, 0x05C2},
    {0x05C4, 0x05C5},   {0x05C7, 0x05C7},   {0x0610, 0x061A},   {0x064B, 0x065F},   {0x0670, 0x0670},
    {0x06D6, 0x06DC},   {0x06DF, 0x06E4},   {0x06E7, 0x06E8},   {0x06EA, 0x06ED},   {0x1AB0, 0x1AFF},
    {0x1DC0, 0x1DFF},   {0x200C, 0x200C},   {0x20D0, 0x20FF},   {0x302A, 0x302F},   {0x3099, 0x309A},
    {0xFE00, 0xFE0F},   {0xFE20, 0xFE2F},   {0x1F3FB, 0x1F3FF}, {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
};

// Format and control characters: a symbol of their own.
constexpr Range kControl[] = {
    {0x0000, 0x001F}, {0x007F, 0x009F}, {0x00AD, 0x00AD}, {0x200B, 0x200B}, {0x200E, 0x200F},
    {0x2028, 0x202E}, {0x2060, 0x206F}, {0xFEFF, 0xFEFF}, {0xFFF0, 0xFFFB},
};

// Pictographs that a zero-width joiner joins into one emoji.
constexpr Range kPictographic[] = {
    {0x00A9, 0x00A9},   {0x00AE, 0x00AE},   {0x203C, 0x203C},   {0x2049, 0x2049},   {0x2122, 0x2122},
    {0x2139, 0x2139},   {0x2194, 0x21AA},   {0x231A, 0x23FF},   {0x24C2, 0x24C2},   {0x25AA, 0x25FE},
    {0x2600, 0x27BF},   {0x2934, 0x2935},   {0x2B05, 0x2B55},   {0x3030, 0x3030},   {0x303D, 0x303D},
    {0x3297, 0x3299},   {0x1F000, 0x1F1E5}, {0x1F200, 0x1F3FA}, {0x1F400, 0x1FAFF}, {0x1FC00, 0x1FFFD},
};

Kind KindOf(char32_t c) {
    if (c == 0x0D) return Kind::CR;
    if (c == 0x0A) return Kind::LF;
    if (c == 0x200D) return Kind::ZWJ;
    if (In(kControl, c)) return Kind::Control;
    if (In(kExtend, c)) return Kind::Extend;
    if (c >= 0x1F1E6 && c <= 0x1F1FF) return Kind::RegionalIndicator;
    if ((c >= 0x1100 && c <= 0x115F) || (c >= 0xA960 && c <= 0xA97C)) return Kind::L;
    if ((c >= 0x1160 && c <= 0x11A7) || (c >= 0xD7B0 && c <= 0xD7C6)) return Kind::V;
    if ((c >= 0x11A8 && c <= 0x11FF) || (c >= 0xD7CB && c <= 0xD7FB)) return Kind::T;
    if (c >= 0xAC00 && c <= 0xD7A3) return (c - 0xAC00) % 28 == 0 ? Kind::LV : Kind::LVT;
    return Kind::Other;
}

// One character of UTF-8 text at `i`: its code point and byte length. A byte
// that does not start a valid character is taken with the continuation bytes
// after it, as one character that is none of the kinds above.
struct Decoded {
    char32_t c;
    std::size_t length;
};

Decoded Decode(std::string_view s, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    auto continuation = [&](std::size_t k) { return k < s.size() && (byte(k) & 0xC0) == 0x80; };
    const unsigned char b = byte(i);
    if (b < 0x80) return {b, 1};
    const std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 0;
    bool valid = n != 0;
    for (std::size_t k = 1; valid && k < n; ++k) valid = continuation(i + k);
    if (!valid) {
        std::size_t length = 1;
        while (continuation(i + length)) ++length;
        return {0xFFFD, length};
    }
    char32_t c = b & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    return {c, n};
}

}  // namespace

std::size_t SymbolsEnd(std::string_view text, std::size_t symbols) {
    std::size_t count = 0;
    Kind before = Kind::Control;
    bool pictograph = false;       // the text so far ends in a pictograph and its marks
    bool joinsPictograph = false;  // ... and a zero-width joiner after them
    int indicators = 0;            // regional indicators just before
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = Decode(text, i);
        const Kind k = KindOf(d.c);
        const bool isPictograph = In(kPictographic, d.c);
        const bool controlBefore = before == Kind::Control || before == Kind::CR || before == Kind::LF;
        const bool control = k == Kind::Control || k == Kind::CR || k == Kind::LF;
        bool joins = false;
        if (i == 0) {
            joins = false;
        } else if (before == Kind::CR && k == Kind::LF) {
            joins = true;
        } else if (controlBefore || control) {
            joins = false;
        } else if (k == Kind::Extend || k == Kind::ZWJ) {
            joins = true;
        } else if (before == Kind::L) {
            joins = k == Kind::L || k == Kind::V || k == Kind::LV || k == Kind::LVT;
        } else if (before == Kind::LV || before == Kind::V) {
            joins = k == Kind::V || k == Kind::T;
        } else if (before == Kind::LVT || before == Kind::T) {
            joins = k == Kind::T;
        } else if (before == Kind::ZWJ) {
            joins = joinsPictograph && isPictograph;
        } else if (before == Kind::RegionalIndicator) {
            joins = k == Kind::RegionalIndicator && indicators % 2 == 1;  // a flag is a pair
        }
        if (!joins) {
            if (count == symbols) return i;
            ++count;
        }
        indicators = k == Kind::RegionalIndicator ? indicators + 1 : 0;
        joinsPictograph = k == Kind::ZWJ && pictograph;
        pictograph = isPictograph || (k == Kind::Extend && pictograph);
        before = k;
        i += d.length;
    }
    return text.size();
}

}  // namespace zentavo
