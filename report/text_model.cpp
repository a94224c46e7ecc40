#include "report/text_model.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace zentavo {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";  // U+2028

std::string_view EndBytes(LineEnd end) {
    switch (end) {
        case LineEnd::None: return {};
        case LineEnd::CrLf: return "\r\n";
        case LineEnd::Lf: return "\n";
        case LineEnd::Cr: return "\r";
        case LineEnd::LineSeparator: return "\xE2\x80\xA8";
        case LineEnd::ParagraphSeparator: return "\xE2\x80\xA9";
    }
    return {};
}

void AppendCp1252Strictly(std::string& out, std::string_view utf8) {
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {  // the common case, kept fast
            out.push_back(utf8[i++]);
            continue;
        }
        const int len = DecodeUtf8(utf8, i, c);
        const int mapped = len == 0 ? -1 : Cp1252Byte(c);
        if (mapped < 0) throw std::invalid_argument("a character does not fit Windows-1252");
        out.push_back(static_cast<char>(mapped));
        i += static_cast<std::size_t>(len);
    }
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

LineEnd TextLines::DominantEnd() const {
    // Ties go to the earlier kind in this order.
    constexpr std::array<LineEnd, 5> kinds = {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr,
                                              LineEnd::ParagraphSeparator, LineEnd::LineSeparator};
    std::array<std::size_t, 6> count{};
    for (const Line& l : lines) ++count[static_cast<std::size_t>(l.end)];
    LineEnd best = LineEnd::CrLf;
    std::size_t most = 0;
    for (LineEnd k : kinds) {
        if (count[static_cast<std::size_t>(k)] > most) {
            most = count[static_cast<std::size_t>(k)];
            best = k;
        }
    }
    return best;
}

TextLines ParseTextFile(std::string_view bytes) {
    TextLines f;
    std::string decodedStore;
    std::string_view decoded;
    const bool utf16Mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (utf16Mark && DecodeUtf16(bytes.substr(2), bytes[0] == '\xFF', decodedStore)) {
        f.encoding = bytes[0] == '\xFF' ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        f.byteOrderMark = true;
        decoded = decodedStore;
    } else if (IsValidUtf8(bytes)) {
        decoded = bytes;
        if (bytes.starts_with(kUtf8Bom)) {
            f.encoding = TextEncoding::Utf8;
            f.byteOrderMark = true;
            decoded.remove_prefix(kUtf8Bom.size());
        } else {
            f.encoding = IsAscii(bytes) ? TextEncoding::Cp1252 : TextEncoding::Utf8;
        }
    } else {
        f.encoding = TextEncoding::Cp1252;
        decodedStore = Cp1252ToUtf8(bytes);
        decoded = decodedStore;
    }

    f.lines.clear();
    f.text.reserve(decoded.size());
    std::size_t lineStart = 0;
    const auto addLine = [&](std::size_t endAt, LineEnd end) {
        const std::size_t start = f.text.size();
        f.text.append(decoded.substr(lineStart, endAt - lineStart));
        if (end != LineEnd::None) f.text.push_back('\n');
        f.lines.push_back({start, endAt - lineStart, end});
    };
    // The bytes that may start a line end: CR, LF and the lead byte of
    // U+2028/U+2029.
    std::array<bool, 256> mayEnd{};
    mayEnd['\r'] = mayEnd['\n'] = mayEnd[0xE2] = true;
    for (std::size_t i = 0; i < decoded.size();) {
        if (!mayEnd[static_cast<unsigned char>(decoded[i])]) {
            ++i;
            continue;
        }
        const char c = decoded[i];
        LineEnd end;
        std::size_t len = 1;
        if (c == '\r') {
            const bool lf = i + 1 < decoded.size() && decoded[i + 1] == '\n';
            end = lf ? LineEnd::CrLf : LineEnd::Cr;
            len = lf ? 2 : 1;
        } else if (c == '\n') {
            end = LineEnd::Lf;
        } else if (c == '\xE2' && i + 2 < decoded.size() && decoded[i + 1] == '\x80' &&
                   (decoded[i + 2] == '\xA8' || decoded[i + 2] == '\xA9')) {
            end = decoded[i + 2] == '\xA8' ? LineEnd::LineSeparator : LineEnd::ParagraphSeparator;
            len = 3;
        } else {
            ++i;
            continue;
        }
        addLine(i, end);
        i += len;
        lineStart = i;
    }
    addLine(decoded.size(), LineEnd::None);
    return f;
}

std::string EncodeTextLines(const TextLines& f) {
    // Line by line into the encoding, without a second copy of the text.
    const bool utf16 = f.encoding == TextEncoding::Utf16Le || f.encoding == TextEncoding::Utf16Be;
    const bool little = f.encoding == TextEncoding::Utf16Le;
    std::string out;
    out.reserve((f.text.size() + f.lines.size() + 3) * (utf16 ? 2 : 1));
    const auto put = [&](std::string_view utf8) {
        if (utf16) {
            AppendUtf16(out, utf8, little);
        } else if (f.encoding == TextEncoding::Cp1252) {
            AppendCp1252Strictly(out, utf8);
        } else {
            out += utf8;
        }
    };
    if (f.byteOrderMark) {
        if (utf16) AppendUtf16(out, "\xEF\xBB\xBF", little);
        if (f.encoding == TextEncoding::Utf8) out += kUtf8Bom;
    }
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
        put(f.LineText(i));
        put(EndBytes(f.lines[i].end));
    }
    return out;
}

std::u32string CharactersNotInEncoding(const TextLines& f, std::size_t limit) {
    std::u32string found;
    if (f.encoding != TextEncoding::Cp1252) return found;
    const auto note = [&](char32_t c) {
        if (found.size() < limit && found.find(c) == std::u32string::npos) found.push_back(c);
    };
    char32_t c;
    for (std::size_t i = 0; i < f.text.size() && found.size() < limit;) {
        if (static_cast<unsigned char>(f.text[i]) < 0x80) {
            ++i;
            continue;
        }
        const int len = DecodeUtf8(f.text, i, c);
        if (len == 0) {  // not UTF-8: cannot be written either
            note(0xFFFD);
            ++i;
            continue;
        }
        if (Cp1252Byte(c) < 0) note(c);
        i += static_cast<std::size_t>(len);
    }
    for (const TextLines::Line& l : f.lines) {
        if (l.end == LineEnd::LineSeparator) note(0x2028);
        if (l.end == LineEnd::ParagraphSeparator) note(0x2029);
    }
    return found;
}

char32_t FirstCharacterTheEditorCannotShow(const TextLines& f) {
    const std::size_t at = std::min(f.text.find("\xEF\xB7\x90"), f.text.find("\xEF\xB7\x91"));
    if (at == std::string::npos) return 0;
    return f.text[at + 2] == '\x90' ? 0xFDD0 : 0xFDD1;
}

TextLines RebuildLines(const TextLines& file, const std::vector<std::string>& blocks) {
    // The editor's lines, a typed line separator counting as a line break.
    std::vector<std::string_view> now;
    for (const std::string& b : blocks) {
        std::string_view rest = b;
        for (std::size_t at; (at = rest.find(kLineSeparator)) != std::string_view::npos;) {
            now.push_back(rest.substr(0, at));
            rest.remove_prefix(at + kLineSeparator.size());
        }
        now.push_back(rest);
    }
    if (now.empty()) now.emplace_back();

    const std::size_t n = file.lines.size(), m = now.size();
    std::size_t same = 0;  // leading lines unchanged
    while (same < n && same < m && file.LineText(same) == now[same]) ++same;
    std::size_t tail = 0;  // trailing lines unchanged
    while (tail < std::min(n, m) - same && file.LineText(n - 1 - tail) == now[m - 1 - tail]) ++tail;

    // Between them, lines are lined up by a short look-ahead: a line equal
    // to one a few lines further on in the file means lines were added
    // before it (they get the dominant line end), the other way round that
    // lines were removed; otherwise the line replaced the file's line at
    // its place and keeps that line's end.
    const LineEnd dominant = file.DominantEnd();
    std::vector<LineEnd> ends(m, dominant);
    for (std::size_t j = 0; j < same; ++j) ends[j] = file.lines[j].end;
    for (std::size_t j = m - tail; j < m; ++j) ends[j] = file.lines[n - (m - j)].end;
    constexpr std::size_t kLookAhead = 64;
    for (std::size_t i = same, j = same, iEnd = n - tail, jEnd = m - tail; j < jEnd;) {
        if (i < iEnd && file.LineText(i) == now[j]) {
            ends[j++] = file.lines[i++].end;
            continue;
        }
        std::size_t added = 0, removed = 0;
        for (std::size_t k = 1; k <= kLookAhead && added == 0 && removed == 0; ++k) {
            if (i < iEnd && j + k < jEnd && now[j + k] == file.LineText(i)) {
                added = k;
            } else if (i + k < iEnd && file.LineText(i + k) == now[j]) {
                removed = k;
            }
        }
        if (added > 0) {
            j += added;  // new lines: the dominant line end
        } else if (removed > 0) {
            i += removed;
        } else if (i < iEnd) {
            ends[j++] = file.lines[i++].end;
        } else {
            ++j;
        }
    }

    TextLines out;
    out.encoding = file.encoding;
    out.byteOrderMark = file.byteOrderMark;
    out.lines.clear();
    out.lines.reserve(m);
    std::size_t size = 0;
    for (std::string_view l : now) size += l.size() + 1;
    out.text.reserve(size);
    for (std::size_t j = 0; j < m; ++j) {
        LineEnd end = ends[j] == LineEnd::None ? dominant : ends[j];
        if (j + 1 == m) end = LineEnd::None;
        const std::size_t start = out.text.size();
        out.text += now[j];
        if (end != LineEnd::None) out.text.push_back('\n');
        out.lines.push_back({start, now[j].size(), end});
    }
    return out;
}

}  // namespace zentavo
