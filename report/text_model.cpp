// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/text_model.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <stdexcept>
#include <utility>

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

// Where the first byte of 0x80 or more is, eight bytes at a time.
std::size_t AsciiRun(std::string_view s, std::size_t from) {
    std::size_t i = from;
    for (std::uint64_t word; i + 8 <= s.size(); i += 8) {
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

void AppendCp1252Strictly(std::string& out, std::string_view utf8) {
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t run = AsciiRun(utf8, i);  // the common case, at once
        out.append(utf8.substr(i, run - i));
        i = run;
        if (i == utf8.size()) break;
        const int len = DecodeUtf8(utf8, i, c);
        const int mapped = len == 0 ? -1 : Cp1252Byte(c);
        if (mapped < 0) throw std::invalid_argument("a character does not fit Windows-1252");
        out.push_back(static_cast<char>(mapped));
        i += static_cast<std::size_t>(len);
    }
}

bool IsAscii(std::string_view bytes) {
    return AsciiRun(bytes, 0) == bytes.size();
}

// How many bytes two texts share from their start, compared a page at a time.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (constexpr std::size_t kPage = 4096;
         i + kPage <= n && std::memcmp(a.data() + i, b.data() + i, kPage) == 0;) {
        i += kPage;
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

// How many bytes they share at their end, the same way.
std::size_t CommonSuffix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (constexpr std::size_t kPage = 4096;
         i + kPage <= n && std::memcmp(a.data() + a.size() - i - kPage,
                                       b.data() + b.size() - i - kPage, kPage) == 0;) {
        i += kPage;
    }
    while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i]) ++i;
    return i;
}

// Where each line of a text joined by "\n" starts, walked forwards.
class LinesForward {
public:
    explicit LinesForward(std::string_view text, std::size_t from = 0) : text_(text), at_(from) {}
    // The next line; call only while lines are left.
    std::string_view Next() {
        const std::size_t nl = text_.find('\n', at_);
        const std::size_t end = nl == std::string_view::npos ? text_.size() : nl;
        const std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        return line;
    }

private:
    std::string_view text_;
    std::size_t at_;
};

// The same walked backwards, from the last line.
class LinesBackward {
public:
    // From the line that ends at `end` (the text's end, or a "\n").
    LinesBackward(std::string_view text, std::size_t end) : text_(text), end_(end) {}
    std::string_view Next() {
        const std::size_t nl = end_ == 0 ? std::string_view::npos : text_.rfind('\n', end_ - 1);
        const std::size_t start = nl == std::string_view::npos ? 0 : nl + 1;
        const std::string_view line = text_.substr(start, end_ - start);
        end_ = start == 0 ? 0 : start - 1;
        return line;
    }

private:
    std::string_view text_;
    std::size_t end_;
};

// The next few lines from a point on, for a look-ahead: line `first + k` is
// At(k), read once.
class LineWindow {
public:
    LineWindow(std::string_view text, std::size_t fromByte, std::size_t first, std::size_t limit)
        : walk_(text, fromByte), first_(first), limit_(limit) {}
    bool Has(std::size_t k) const { return first_ + k < limit_; }
    std::string_view At(std::size_t k) {
        while (ahead_.size() <= k) ahead_.push_back(walk_.Next());
        return ahead_[k];
    }
    std::size_t first() const { return first_; }
    void Skip(std::size_t k) {
        for (std::size_t s = 0; s < k; ++s) {
            if (ahead_.empty()) {
                walk_.Next();
            } else {
                ahead_.pop_front();
            }
        }
        first_ += k;
    }

private:
    LinesForward walk_;
    std::deque<std::string_view> ahead_;
    std::size_t first_, limit_;
};

}  // namespace

TextLines::TextLines(std::string text, std::vector<LineEnd> ends)
    : text_(std::move(text)), ends_(std::move(ends)) {
    const auto breaks = static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n'));
    if (ends_.size() != breaks + 1 || ends_.back() != LineEnd::None ||
        std::find(ends_.begin(), ends_.end() - 1, LineEnd::None) != ends_.end() - 1) {
        throw std::invalid_argument("line ends do not match the text's lines");
    }
    MarkLineStarts();
}

TextLines::TextLines(std::string text, std::vector<LineEnd> ends, Trusted)
    : text_(std::move(text)), ends_(std::move(ends)) {
    MarkLineStarts();
}

void TextLines::MarkLineStarts() {
    marks_.clear();
    marks_.reserve(ends_.size() / kMarkEvery + 1);
    marks_.push_back(0);
    // A byte at a time: as quick for a file of empty lines as for long ones.
    std::size_t line = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\n' && ++line % kMarkEvery == 0) marks_.push_back(i + 1);
    }
}

std::string_view TextLines::LineText(std::size_t i) const {
    LinesForward walk(text_, marks_[i / kMarkEvery]);
    for (std::size_t k = i % kMarkEvery; k > 0; --k) walk.Next();
    return walk.Next();
}

LineEnd TextLines::DominantEnd() const {
    // Ties go to the earlier kind in this order.
    constexpr std::array<LineEnd, 5> kinds = {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr,
                                              LineEnd::ParagraphSeparator, LineEnd::LineSeparator};
    std::array<std::size_t, 6> count{};
    for (LineEnd e : ends_) ++count[static_cast<std::size_t>(e)];
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

TextLines ParseTextFile(std::string bytes) {
    // The text is made in the buffer it was decoded into: for UTF-8 the
    // file's own bytes, without a second copy of a large file.
    TextEncoding encoding;
    bool mark = false;
    std::string text;
    std::size_t from = 0;  // where the text starts in its buffer
    std::string utf16;
    const bool utf16Mark = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (utf16Mark && DecodeUtf16(std::string_view(bytes).substr(2), bytes[0] == '\xFF', utf16)) {
        encoding = bytes[0] == '\xFF' ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        mark = true;
        text = std::move(utf16);
    } else if (IsValidUtf8(bytes)) {
        if (bytes.starts_with(kUtf8Bom)) {
            encoding = TextEncoding::Utf8;
            mark = true;
            from = kUtf8Bom.size();
        } else {
            encoding = IsAscii(bytes) ? TextEncoding::Cp1252 : TextEncoding::Utf8;
        }
        text = std::move(bytes);
    } else {
        encoding = TextEncoding::Cp1252;
        text = Cp1252ToUtf8(bytes);
    }
    bytes = std::string();

    const auto lfs = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    const auto crs = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r'));
    const std::string_view all = std::string_view(text).substr(from);
    if (crs == 0 && all.find("\xE2\x80\xA8") == std::string_view::npos &&
        all.find("\xE2\x80\xA9") == std::string_view::npos) {
        // Only LF ends (most files written on Linux): the text is the file's.
        text.erase(0, from);
        std::vector<LineEnd> ends(lfs + 1, LineEnd::Lf);
        ends.back() = LineEnd::None;
        TextLines f(std::move(text), std::move(ends), TextLines::Trusted{});
        f.encoding = encoding;
        f.byteOrderMark = mark;
        return f;
    }
    // Room for a line end at every byte that may start one, so that the line
    // ends take about a byte a line and no more.
    std::vector<LineEnd> ends;
    ends.reserve(lfs + crs +
                 static_cast<std::size_t>(std::count(text.begin(), text.end(), '\xE2')) + 1);
    // Each line end (CR LF, LF, a lone CR, U+2028, U+2029) becomes "\n", a
    // byte at a time towards the buffer's start: what is written never
    // passes what is still to be read.
    static constexpr auto kMayEnd = [] {
        std::array<bool, 256> may{};
        may['\r'] = may['\n'] = may[0xE2] = true;
        return may;
    }();
    char* const t = text.data();
    const std::size_t size = text.size();
    std::size_t to = 0;
    for (std::size_t i = from; i < size;) {
        std::size_t run = i;  // bytes that cannot start a line end, moved at once
        while (run < size && !kMayEnd[static_cast<unsigned char>(t[run])]) ++run;
        if (to != i) std::memmove(t + to, t + i, run - i);
        to += run - i;
        i = run;
        if (i == size) break;
        const char c = t[i];
        LineEnd end;
        std::size_t len = 1;
        if (c == '\n') {
            end = LineEnd::Lf;
        } else if (c == '\r') {
            const bool lf = i + 1 < size && t[i + 1] == '\n';
            end = lf ? LineEnd::CrLf : LineEnd::Cr;
            len = lf ? 2 : 1;
        } else if (i + 2 < size && t[i + 1] == '\x80' &&
                   (t[i + 2] == '\xA8' || t[i + 2] == '\xA9')) {
            end = t[i + 2] == '\xA8' ? LineEnd::LineSeparator : LineEnd::ParagraphSeparator;
            len = 3;
        } else {  // another character led by 0xE2
            t[to++] = c;
            ++i;
            continue;
        }
        t[to++] = '\n';
        ends.push_back(end);
        i += len;
    }
    text.resize(to);
    ends.push_back(LineEnd::None);
    TextLines f(std::move(text), std::move(ends), TextLines::Trusted{});
    f.encoding = encoding;
    f.byteOrderMark = mark;
    return f;
}

std::string EncodeTextLines(const TextLines& f) {
    // One pass over the text into the encoding, each "\n" given its line's
    // own end, without a second copy of the text.
    const bool utf16 = f.encoding == TextEncoding::Utf16Le || f.encoding == TextEncoding::Utf16Be;
    const bool little = f.encoding == TextEncoding::Utf16Le;
    const std::string& text = f.Text();
    std::string out;
    out.reserve((text.size() + f.LineCount() + 3) * (utf16 ? 2 : 1));
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
    // A "\n" of the text is written as an LF in every encoding: only lines
    // with another end break the run of text that goes out at once.
    std::size_t line = 0, from = 0;  // the text not yet written starts at `from`
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        const LineEnd end = f.End(line++);
        if (end == LineEnd::Lf) continue;
        put(std::string_view(text).substr(from, i - from));
        put(EndBytes(end));
        from = i + 1;
    }
    put(std::string_view(text).substr(from));
    return out;
}

std::u32string CharactersNotInEncoding(const TextLines& f, std::size_t limit) {
    std::u32string found;
    if (f.encoding != TextEncoding::Cp1252) return found;
    const auto note = [&](char32_t c) {
        if (found.size() < limit && found.find(c) == std::u32string::npos) found.push_back(c);
    };
    const std::string& text = f.Text();
    char32_t c;
    for (std::size_t i = 0; i < text.size() && found.size() < limit;) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const int len = DecodeUtf8(text, i, c);
        if (len == 0) {  // not UTF-8: cannot be written either
            note(0xFFFD);
            ++i;
            continue;
        }
        if (Cp1252Byte(c) < 0) note(c);
        i += static_cast<std::size_t>(len);
    }
    for (LineEnd e : f.Ends()) {
        if (e == LineEnd::LineSeparator) note(0x2028);
        if (e == LineEnd::ParagraphSeparator) note(0x2029);
    }
    return found;
}

char32_t FirstCharacterTheEditorCannotShow(const TextLines& f) {
    const std::string& text = f.Text();
    const std::size_t at = std::min(text.find("\xEF\xB7\x90"), text.find("\xEF\xB7\x91"));
    if (at == std::string::npos) return 0;
    return text[at + 2] == '\x90' ? 0xFDD0 : 0xFDD1;
}

TextLines RebuildLinesFromText(const TextLines& file, std::string edited) {
    // A typed line separator counts as a line break: made one in place.
    if (edited.find(kLineSeparator) != std::string::npos) {
        std::size_t to = 0;
        for (std::size_t from = 0; from < edited.size();) {
            if (edited.compare(from, kLineSeparator.size(), kLineSeparator) == 0) {
                edited[to++] = '\n';
                from += kLineSeparator.size();
            } else {
                edited[to++] = edited[from++];
            }
        }
        edited.resize(to);
    }
    const std::string_view now = edited, was = file.Text();
    const std::size_t n = file.LineCount();
    const auto m = static_cast<std::size_t>(std::count(now.begin(), now.end(), '\n')) + 1;

    // Leading lines unchanged, and where the first changed one starts: the
    // lines that end before the first byte that differs, then line by line
    // (a file of millions of lines is compared at the speed of memory).
    const std::size_t front = CommonPrefix(was, now);
    const std::string_view before = was.substr(0, front);
    std::size_t same = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    std::size_t wasAt = same == 0 ? 0 : before.rfind('\n') + 1, nowAt = wasAt;
    for (LinesForward a(was, wasAt), b(now, nowAt); same < n && same < m; ++same) {
        const std::string_view x = a.Next(), y = b.Next();
        if (x != y) break;
        wasAt += x.size() + 1;
        nowAt += y.size() + 1;
    }
    // Trailing lines unchanged, the same way from the end.
    const std::size_t most = std::min(n, m) - same;
    const std::size_t back = CommonSuffix(was, now);
    const std::string_view after = was.substr(was.size() - back);
    std::size_t tail =
        std::min(most, static_cast<std::size_t>(std::count(after.begin(), after.end(), '\n')));
    if (tail < most) {
        // From the end of the line before those: where the suffix's first "\n" is.
        const std::size_t inSuffix = tail == 0 ? back : after.find('\n');
        LinesBackward a(was, was.size() - back + inSuffix), b(now, now.size() - back + inSuffix);
        while (tail < most && a.Next() == b.Next()) ++tail;
    }

    // Between them, lines are lined up by a short look-ahead: a line equal
    // to one a few lines further on in the file means lines were added
    // before it (they get the dominant line end), the other way round that
    // lines were removed; otherwise the line replaced the file's line at
    // its place and keeps that line's end.
    const LineEnd dominant = file.DominantEnd();
    std::vector<LineEnd> ends(m, dominant);
    for (std::size_t j = 0; j < same; ++j) ends[j] = file.End(j);
    for (std::size_t j = m - tail; j < m; ++j) ends[j] = file.End(n - (m - j));
    constexpr std::size_t kLookAhead = 64;
    LineWindow fileLines(was, wasAt, same, n - tail), nowLines(now, nowAt, same, m - tail);
    while (nowLines.Has(0)) {
        const std::size_t i = fileLines.first(), j = nowLines.first();
        if (fileLines.Has(0) && fileLines.At(0) == nowLines.At(0)) {
            ends[j] = file.End(i);
            fileLines.Skip(1);
            nowLines.Skip(1);
            continue;
        }
        std::size_t added = 0, removed = 0;
        for (std::size_t k = 1; k <= kLookAhead && added == 0 && removed == 0; ++k) {
            if (fileLines.Has(0) && nowLines.Has(k) && nowLines.At(k) == fileLines.At(0)) {
                added = k;
            } else if (fileLines.Has(k) && fileLines.At(k) == nowLines.At(0)) {
                removed = k;
            }
        }
        if (added > 0) {
            nowLines.Skip(added);  // new lines: the dominant line end
        } else if (removed > 0) {
            fileLines.Skip(removed);
        } else if (fileLines.Has(0)) {
            ends[j] = file.End(i);
            fileLines.Skip(1);
            nowLines.Skip(1);
        } else {
            nowLines.Skip(1);
        }
    }
    for (LineEnd& e : ends) {
        if (e == LineEnd::None) e = dominant;
    }
    ends.back() = LineEnd::None;

    TextLines out(std::move(edited), std::move(ends), TextLines::Trusted{});
    out.encoding = file.encoding;
    out.byteOrderMark = file.byteOrderMark;
    return out;
}

TextLines RebuildLines(const TextLines& file, const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 1;
    std::string edited;
    edited.reserve(size);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (j > 0) edited.push_back('\n');
        edited += lines[j];
    }
    return RebuildLinesFromText(file, std::move(edited));
}

std::vector<DisplayBlock> DisplayBlocks(const TextLines& file, std::size_t linesPerBlock,
                                        std::size_t pieceBytes) {
    const std::string& text = file.Text();
    const std::size_t size = text.size();
    pieceBytes = std::max<std::size_t>(pieceBytes, 4);  // room for any character
    std::vector<DisplayBlock> blocks;
    for (std::size_t start = 0;;) {
        const std::size_t nl = text.find('\n', start);
        std::size_t end = nl == std::string::npos ? size : nl;
        if (end - start > pieceBytes) {
            // Pieces of a long line, each cut before a character's first byte.
            for (std::size_t at = start; at < end;) {
                std::size_t cut = end;
                if (end - at > pieceBytes) {
                    cut = at + pieceBytes;
                    while (cut > at && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
                        --cut;
                    if (cut == at) cut = at + pieceBytes;  // not UTF-8 there: cut anywhere
                }
                blocks.push_back({at, cut, at != start});
                at = cut;
            }
        } else {
            // Whole lines that end within the bound, a byte at a time (a
            // file of empty lines has millions of them).
            const std::size_t limit = std::min(size, start + pieceBytes);
            std::size_t lines = 1;
            for (std::size_t p = end + 1; end < size && lines < linesPerBlock && p <= limit; ++p) {
                if (p == size || text[p] == '\n') {
                    end = p;
                    ++lines;
                }
            }
            blocks.push_back({start, end, false});
        }
        if (end >= size) break;
        start = end + 1;
    }
    return blocks;
}

}  // namespace zentavo
