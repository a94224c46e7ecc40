// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/text_codec.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace zentavo {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five undefined
// bytes keep their own number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Unit(std::string_view b, std::size_t i, bool little) {
    const auto lo = static_cast<unsigned char>(b[little ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(b[little ? i + 1 : i]);
    return static_cast<char16_t>(hi << 8 | lo);
}

void PutUnit(std::string& out, char16_t u, bool little) {
    const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    out.push_back(little ? lo : hi);
    out.push_back(little ? hi : lo);
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when invalid.
int DecodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = b(i);
    int len;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        len = 2, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (int k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return len;
}

int Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == c) return static_cast<int>(0x80 + k);
    }
    return -1;
}

bool IsValidUtf8(std::string_view bytes) {
    char32_t c;
    for (std::size_t i = 0; i < bytes.size();) {
        // ASCII, the common case: eight bytes at a time while none has its high bit.
        while (i + 8 <= bytes.size()) {
            std::uint64_t eight;
            std::memcpy(&eight, bytes.data() + i, 8);
            if (eight & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i == bytes.size()) break;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const int len = DecodeUtf8(bytes, i, c);
        if (len == 0) return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            AppendUtf8(out, kHigh[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const int len = DecodeUtf8(utf8, i, c);
        if (len == 0) {  // not UTF-8 at all: keep the byte
            out.push_back(utf8[i++]);
            continue;
        }
        i += static_cast<std::size_t>(len);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < kHigh.size(); ++k) {
            if (kHigh[k] == c) mapped = static_cast<char>(0x80 + k);
        }
        out.push_back(mapped);
    }
    return out;
}

TextFile DecodeTextFile(std::string_view bytes) {
    TextFile f;
    if (IsValidUtf8(bytes)) {
        f.encoding = TextEncoding::Utf8;
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            f.byteOrderMark = true;
            bytes.remove_prefix(3);
        }
        f.text.assign(bytes);
    } else {
        f.encoding = TextEncoding::Cp1252;
        // A UTF-8 byte-order mark before Windows-1252 text is kept aside, as
        // on UTF-8, not decoded as three characters of the first line.
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            f.byteOrderMark = true;
            bytes.remove_prefix(3);
        }
        f.text = Cp1252ToUtf8(bytes);
    }
    // The line break of the file: CR LF when every LF follows a CR.
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < f.text.size(); ++i) {
        if (f.text[i] == '\n') {
            ++lf;
            if (i > 0 && f.text[i - 1] == '\r') ++crlf;
        }
    }
    f.crlf = lf > 0 && crlf == lf;
    if (f.crlf) {
        std::string plain;
        plain.reserve(f.text.size());
        for (std::size_t i = 0; i < f.text.size(); ++i) {
            if (f.text[i] == '\r' && i + 1 < f.text.size() && f.text[i + 1] == '\n') continue;
            plain.push_back(f.text[i]);
        }
        f.text = std::move(plain);
    }
    return f;
}

std::string EncodeTextFile(const TextFile& f) {
    std::string text;
    if (f.crlf) {
        text.reserve(f.text.size() + f.text.size() / 16);
        for (char c : f.text) {
            if (c == '\n') text.push_back('\r');
            text.push_back(c);
        }
    } else {
        text = f.text;
    }
    if (f.encoding == TextEncoding::Cp1252) text = Utf8ToCp1252(text);
    return f.byteOrderMark ? "\xEF\xBB\xBF" + text : text;
}

bool DecodeUtf16(std::string_view b, bool little, std::string& out) {
    if (b.size() % 2 != 0) return false;
    out.reserve(b.size() / 2 * 3 / 2);
    for (std::size_t i = 0; i < b.size(); i += 2) {
        const char16_t u = Unit(b, i, little);
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= b.size()) return false;
            const char16_t low = Unit(b, i + 2, little);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
            i += 2;
        } else {
            AppendUtf8(out, u);
        }
    }
    return true;
}

void AppendUtf16(std::string& out, std::string_view utf8, bool little) {
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const int len = DecodeUtf8(utf8, i, c);
        if (len == 0) throw std::invalid_argument("text is not UTF-8");
        i += static_cast<std::size_t>(len);
        if (c >= 0x10000) {
            PutUnit(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), little);
            PutUnit(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), little);
        } else {
            PutUnit(out, static_cast<char16_t>(c), little);
        }
    }
}

}  // namespace zentavo
