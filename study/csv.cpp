#include "study/csv.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentavo::csv {

namespace {
constexpr std::size_t kReadBytes = std::size_t{1} << 16;  // what one read asks for at most
constexpr std::size_t kFirstReadBytes = std::size_t{1} << 12;

// The first line end character (CR or LF) in d[from, to), or `to`; with
// `Quote`, the first double quote or line end character.
template <bool Quote>
std::size_t FindLineEnd(const char* d, std::size_t from, std::size_t to) {
    std::size_t i = from;
#if defined(__SSE2__)
    // Sixteen characters at a time: a record's line holds few of them.
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), quote = _mm_set1_epi8('"');
    for (; i + 16 <= to; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr));
        if constexpr (Quote) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, quote));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < to; ++i) {
        if (d[i] == '\n' || d[i] == '\r' || (Quote && d[i] == '"')) return i;
    }
    return to;
}

// How many line ends d[from, to) holds, a CR LF counting once.
std::size_t CountLineEnds(const char* d, std::size_t from, std::size_t to) {
    std::size_t lines = 0;
    for (std::size_t i = FindLineEnd<false>(d, from, to); i < to;
         i = FindLineEnd<false>(d, i + 1, to)) {
        if (d[i] == '\r' && i + 1 < to && d[i + 1] == '\n') ++i;
        ++lines;
    }
    return lines;
}
}  // namespace

std::size_t QuoteReach(std::size_t maxRecordBytes) {
    return maxRecordBytes > SIZE_MAX / kQuoteReachRecords ? SIZE_MAX
                                                          : maxRecordBytes * kQuoteReachRecords;
}

Reader::Reader(std::string_view data, const ReaderOptions& options)
    : data_(data),
      line_(options.firstLine),
      max_(options.maxRecordBytes),
      reach_(QuoteReach(options.maxRecordBytes)),
      more_(options.moreFollows) {
    if (options.startOfInput && data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    seen_ = pos_;
}

bool Reader::Next(Fields& fields, std::size_t& line, std::string& error) {
    return Parse<true>(&fields, line, error);
}

bool Reader::Next(std::vector<std::string>& fields, std::size_t& line, std::string& error) {
    Fields record;
    if (!Parse<true>(&record, line, error)) return false;
    fields.clear();
    for (std::size_t i = 0; i < record.size(); ++i) fields.emplace_back(record[i]);
    return true;
}

std::size_t Reader::Skip(std::size_t records) {
    std::size_t done = 0, line;
    std::string error;
    while (done < records && Parse<false>(nullptr, line, error)) {
        ++done;
        if (skipsLine_) break;
    }
    return done;
}

void Reader::SkipToNextLine(std::size_t from) {
    const char* d = data_.data();
    const std::size_t n = data_.size();
    const std::size_t at = from < n ? FindLineEnd<false>(d, from, n) : n;
    skipsLine_ = false;
    if (at == n) {
        pos_ = n;
        skipsLine_ = more_;
    } else if (d[at] == '\n') {
        pos_ = at + 1;
    } else if (at + 1 < n) {
        pos_ = d[at + 1] == '\n' ? at + 2 : at + 1;
    } else if (more_) {
        pos_ = at;  // a CR ends the piece: the LF of a CR LF may follow
        skipsLine_ = true;
    } else {
        pos_ = n;
    }
}

template <bool Store>
bool Reader::Parse(Fields* fields, std::size_t& line, std::string& error) {
    if constexpr (Store) error.clear();
    needMore_ = false;
    skipsLine_ = false;
    const char* d = data_.data();
    const std::size_t n = data_.size();
    // Skip empty lines: LF, CR LF or a lone CR.
    while (pos_ < n) {
        if (d[pos_] == '\n') {
            ++pos_;
        } else if (d[pos_] == '\r') {
            if (pos_ + 1 < n) {
                pos_ += d[pos_ + 1] == '\n' ? 2 : 1;
            } else if (more_) {
                needMore_ = true;  // a CR LF may be cut in two
                return false;
            } else {
                ++pos_;
            }
        } else {
            break;
        }
        ++line_;
    }
    seen_ = std::max(seen_, pos_);
    if (pos_ >= n) {
        needMore_ = more_;
        return false;
    }

    line = line_;
    const std::size_t recordStart = pos_;
    const std::size_t startLine = line_;
    // Reading stops where the record would pass its longest length, or at
    // the end of the data; a quoted field is looked through on to its reach.
    // Whether a record is too long never depends on where the data ends, so
    // a record reads the same from a piece and from the whole input.
    const std::size_t limit = max_ <= n - recordStart ? recordStart + max_ : n + 1;
    const std::size_t reach = reach_ <= n - recordStart ? recordStart + reach_ : n + 1;
    const std::size_t cap = std::min(n, limit);
    std::size_t far = pos_;  // one past the last byte looked at
    enum Edge { kByte, kTooLong, kNeedMore, kEnd };
    auto edge = [&](std::size_t p) {
        if (p >= limit) return kTooLong;
        if (p < n) return kByte;
        return more_ ? kNeedMore : kEnd;
    };
    auto wait = [&] {  // the record reaches the end of the piece
        pos_ = recordStart;
        line_ = startLine;
        needMore_ = true;
        return false;
    };
    // Where the line after the line end character at `at` starts; past the
    // data when a CR ends the piece and the LF of a CR LF may follow.
    auto afterLineEnd = [&](std::size_t at) {
        if (d[at] == '\n') return at + 1;
        far = std::max(far, std::min(at + 2, n));
        if (at + 1 < n) return d[at + 1] == '\n' ? at + 2 : at + 1;
        return more_ ? n + 1 : n;
    };

    if constexpr (!Store) {
        // Passing over a line without quotes: it is one record, whatever its fields.
        const std::size_t at = FindLineEnd<true>(d, pos_, cap);
        if (at < cap && d[at] != '"') {
            const std::size_t next = afterLineEnd(at);
            if (next > n) return wait();
            pos_ = next;
            ++line_;
            seen_ = std::max({seen_, far, pos_});
            return true;
        }
    }
    if constexpr (Store) {
        fields->count_ = 0;
        fields->unescapedUsed_ = 0;
    }
    auto add = [&](std::string_view v) {
        if constexpr (Store) fields->Add({v.data(), v.size(), -1});
    };
    // A quoted field with doubled quotes: its text without them.
    auto unescaped = [&](std::size_t from, std::size_t to) {
        if constexpr (Store) {
            if (fields->unescapedUsed_ == fields->unescaped_.size())
                fields->unescaped_.emplace_back();
            std::string& u = fields->unescaped_[fields->unescapedUsed_++];
            u.clear();
            for (std::size_t i = from; i < to; ++i) {
                u.push_back(data_[i]);
                if (data_[i] == '"') ++i;  // the second of a doubled quote
            }
            fields->Add({nullptr, 0, static_cast<int>(fields->unescapedUsed_ - 1)});
        }
    };
    // A malformed record ends at the end of the physical line `resumeFrom`
    // stands on (numbered `resumeLine`); the next record starts on the line after it.
    auto fail = [&](auto&& what, std::size_t resumeFrom, std::size_t resumeLine) {
        if constexpr (Store) error = "line " + std::to_string(line) + ": " + what();
        seen_ = std::max(seen_, far);
        line_ = resumeLine + 1;
        SkipToNextLine(resumeFrom);
        seen_ = std::max(seen_, pos_);
        return true;
    };
    auto tooLongText = [&] { return "longer than " + std::to_string(max_) + " bytes"; };
    auto tooLong = [&] {
        far = std::max(far, std::min(limit, n));
        return fail(tooLongText, recordStart + max_, line_);
    };

    std::size_t lineEnd = 0;  // the line end (or cap) after pos_, once looked for
    bool lineEndKnown = false;
    for (;;) {
        Edge e = edge(pos_);
        if (e == kNeedMore) return wait();
        if (e == kTooLong) return tooLong();
        if (e == kByte && d[pos_] == '"') {
            const std::size_t quoteLine = line_;
            const std::size_t open = ++pos_;
            const std::size_t quoteCap = std::min(n, reach);
            bool doubled = false;
            for (;;) {
                const void* q =
                    pos_ < quoteCap ? std::memchr(d + pos_, '"', quoteCap - pos_) : nullptr;
                if (!q) {
                    if (quoteCap == n && n < reach && more_) return wait();
                    // A quote that never closes would swallow the rest of the
                    // study: give up on the line it opened on alone.
                    far = std::max(far, quoteCap);
                    const bool beyondReach = quoteCap == reach;
                    return fail(
                        [&] {
                            std::string what = quoteLine == line
                                                   ? std::string("unbalanced quote")
                                                   : "unbalanced quote opened on line " +
                                                         std::to_string(quoteLine);
                            if (beyondReach) {
                                what += " (no closing quote within " + std::to_string(reach_) +
                                        " bytes)";
                            }
                            return what;
                        },
                        open, quoteLine);
                }
                pos_ = static_cast<std::size_t>(static_cast<const char*>(q) - d) + 1;
                far = std::max(far, pos_);
                // The byte after the quote tells a doubled quote from a closing one.
                if (pos_ == n && more_) return wait();
                if (pos_ < n) far = std::max(far, pos_ + 1);
                if (pos_ < n && d[pos_] == '"') {
                    doubled = true;
                    ++pos_;
                    continue;
                }
                break;
            }
            const std::size_t close = pos_ - 1;
            // Line breaks inside quotes belong to the field but still count as lines.
            line_ += CountLineEnds(d, open, close);
            // A field that passes the longest record is not kept: its record is malformed.
            if (pos_ < limit) {
                if (doubled) {
                    unescaped(open, close);
                } else {
                    add(data_.substr(open, close - open));
                }
            }
            if (pos_ < n && d[pos_] != ',' && d[pos_] != '\n' && d[pos_] != '\r') {
                if (line_ == quoteLine) {
                    return fail([] { return std::string("unexpected text after a closing quote"); },
                                pos_, line_);
                }
                // The quote ran over line ends before text followed it:
                // most likely it was never closed. The line it opened on
                // is given up; the lines after it are read again.
                const std::size_t closeLine = line_;
                return fail(
                    [&] {
                        return "unexpected text after a closing quote on line " +
                               std::to_string(closeLine) + "; the quote opened on line " +
                               std::to_string(quoteLine);
                    },
                    open, quoteLine);
            }
            if (pos_ >= limit) {
                // A quoted field closing past the longest record: one malformed
                // record, up to the line end after the closing quote.
                const std::size_t closeLine = line_;
                return fail(
                    [&] {
                        if (closeLine == quoteLine && quoteLine == line) return tooLongText();
                        return tooLongText() + ": a quoted field from line " +
                               std::to_string(quoteLine) + " to line " + std::to_string(closeLine);
                    },
                    pos_, line_);
            }
        } else {
            // The field ends at the next comma of its line.
            if (!lineEndKnown || lineEnd < pos_) {
                lineEnd = FindLineEnd<false>(d, pos_, cap);
                lineEndKnown = true;
            }
            const void* comma =
                pos_ < lineEnd ? std::memchr(d + pos_, ',', lineEnd - pos_) : nullptr;
            const std::size_t end =
                comma ? static_cast<std::size_t>(static_cast<const char*>(comma) - d) : lineEnd;
            if (end == cap) {
                e = edge(end);
                if (e == kNeedMore) return wait();
                if (e == kTooLong) return tooLong();
            }
            far = std::max(far, end < n ? end + 1 : end);
            add(data_.substr(pos_, end - pos_));
            pos_ = end;
        }
        if (pos_ >= n) break;
        if (d[pos_] == ',') {
            ++pos_;
            continue;
        }
        // The end of the record: LF, CR LF or a lone CR.
        const std::size_t next = afterLineEnd(pos_);
        if (next > n) return wait();
        pos_ = next;
        ++line_;
        break;
    }
    seen_ = std::max({seen_, far, pos_});
    return true;
}

ChunkReader::ChunkReader(Source source, std::size_t maxRecordBytes)
    : source_(std::move(source)),
      max_(maxRecordBytes),
      maxCapacity_(QuoteReach(maxRecordBytes) > SIZE_MAX - kReadBytes
                       ? SIZE_MAX
                       : QuoteReach(maxRecordBytes) + kReadBytes),
      capacity_(std::min(maxCapacity_, kFirstReadBytes)),
      buf_(new char[capacity_]) {}

bool ChunkReader::Fill() {
    if (eof_) return false;
    if (begin_ > 0) {
        std::memmove(buf_.get(), buf_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        seen_ = seen_ > begin_ ? seen_ - begin_ : 0;
        begin_ = 0;
    }
    // The buffer starts small and grows while reads fill it (a large input),
    // and when a record is longer than it, up to the longest record and a
    // read beside it. Reading stops at the longest record, so a buffer that
    // large always has room after the held bytes move.
    if (end_ == capacity_ || (lastReadFilled_ && capacity_ < kReadBytes)) {
        if (capacity_ == maxCapacity_) return true;
        const std::size_t capacity = std::min(2 * capacity_, maxCapacity_);
        std::unique_ptr<char[]> bigger(new char[capacity]);
        std::memcpy(bigger.get(), buf_.get(), end_);
        buf_ = std::move(bigger);
        capacity_ = capacity;
    }
    const std::size_t got = source_(buf_.get() + end_, capacity_ - end_);
    lastReadFilled_ = got == capacity_ - end_;
    if (got == 0) {
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool ChunkReader::FillLine() {
    // A record that waits for more goes on at least to a line end: reading on
    // to one spares reading the record again for every small piece.
    for (;;) {
        const std::size_t held = end_ - begin_;
        if (!Fill()) return false;
        if (FindLineEnd<false>(buf_.get(), begin_ + held, end_) < end_) return true;
        if (end_ - begin_ == held) return true;  // the buffer is as full as it gets
    }
}

bool ChunkReader::SkipLine() {
    for (;;) {
        const char* b = buf_.get();
        const std::size_t at = FindLineEnd<false>(b, begin_, end_);
        if (at < end_ && (b[at] == '\n' || at + 1 < end_ || eof_)) {
            begin_ = b[at] == '\r' && at + 1 < end_ && b[at + 1] == '\n' ? at + 2 : at + 1;
            skippingLine_ = false;
            return true;
        }
        // Nothing held ends the line, or a CR ends what is held and the LF
        // of a CR LF may follow: keep that CR and read on.
        begin_ = at;
        if (!Fill() && begin_ == end_) return false;
    }
}

ReaderOptions ChunkReader::PieceOptions() const {
    ReaderOptions o;
    o.firstLine = line_;
    o.startOfInput = false;
    o.moreFollows = !eof_;
    o.maxRecordBytes = max_;
    return o;
}

bool ChunkReader::First(std::vector<std::string>& fields, std::size_t& line, std::string& error) {
    while (end_ - begin_ < 3 && Fill()) {
    }
    if (std::string_view(buf_.get() + begin_, end_ - begin_).substr(0, 3) == "\xEF\xBB\xBF")
        begin_ += 3;
    for (;;) {
        Reader r(std::string_view(buf_.get() + begin_, end_ - begin_), PieceOptions());
        const bool got = r.Next(fields, line, error);
        begin_ += r.Offset();  // past empty lines, when the record still waits
        line_ = r.Line();
        if (got || !r.NeedsMore()) {
            skippingLine_ = r.SkipsRestOfLine();
            return got;
        }
        FillLine();
    }
}

std::size_t ChunkReader::Next(std::string& text, ReaderOptions& options, std::size_t maxRecords,
                              std::size_t maxBytes) {
    text.clear();
    std::size_t count = 0;
    options = PieceOptions();
    options.moreFollows = false;
    for (;;) {
        if (skippingLine_ && !SkipLine()) return count;
        const std::size_t base = begin_;
        Reader r(std::string_view(buf_.get() + base, end_ - base), PieceOptions());
        bool full = false;
        while (!(full = count >= maxRecords || text.size() + r.Offset() >= maxBytes)) {
            if (r.Skip(1) == 0) break;
            ++count;
            if (r.SkipsRestOfLine()) break;
        }
        seen_ = std::max(seen_, base + r.Seen());
        if (count == 0) {
            // Only empty lines so far: they are not kept.
            begin_ = base + r.Offset();
            line_ = r.Line();
            options.firstLine = line_;
        } else {
            text.append(buf_.get() + base, r.Offset());
            begin_ = base + r.Offset();
            line_ = r.Line();
        }
        if (r.SkipsRestOfLine()) {
            skippingLine_ = true;
            return count;
        }
        if (full) {
            if (seen_ > begin_) text.append(buf_.get() + begin_, seen_ - begin_);
            return count;
        }
        if (!r.NeedsMore()) return count;  // the end of the input
        FillLine();
    }
}

namespace {
constexpr auto kSpecial = [] {
    std::array<bool, 256> t{};
    t[','] = t['"'] = t['\n'] = t['\r'] = true;
    return t;
}();

bool NeedsQuotes(std::string_view field) {
    const char* p = field.data();
    const std::size_t n = field.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen characters at a time: most fields hold none of the four.
    const __m128i comma = _mm_set1_epi8(','), quote = _mm_set1_epi8('"');
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, comma), _mm_cmpeq_epi8(v, quote)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (_mm_movemask_epi8(hit) != 0) return true;
    }
#endif
    for (; i < n; ++i) {
        if (kSpecial[static_cast<unsigned char>(p[i])]) return true;
    }
    return false;
}
}  // namespace

char* WriteField(char* out, std::string_view field) {
    // Most fields are short numbers: copied and checked in one pass.
    if (field.size() < 16) {
        char* o = out;
        for (char c : field) {
            if (kSpecial[static_cast<unsigned char>(c)]) goto quoted;
            *o++ = c;
        }
        return o;
    }
    if (!NeedsQuotes(field)) {
        std::memcpy(out, field.data(), field.size());
        return out + field.size();
    }
quoted:
    // Runs between quotes copied whole; each quote doubled.
    *out++ = '"';
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p < end) {
        const void* q = std::memchr(p, '"', static_cast<std::size_t>(end - p));
        const char* stop = q ? static_cast<const char*>(q) + 1 : end;
        std::memcpy(out, p, static_cast<std::size_t>(stop - p));
        out += stop - p;
        if (q) *out++ = '"';
        p = stop;
    }
    *out++ = '"';
    return out;
}

std::string_view PlainRecordText(const Fields& fields) {
    const std::size_t n = fields.size();
    if (n == 0) return {};
    const char* const begin = fields[0].data();
    const char* end = begin + fields[0].size();
    for (std::size_t i = 1; i < n; ++i) {
        const std::string_view f = fields[i];
        // `end` is read only when the next field starts right after it: then
        // it is the separator in the input (or the end of an unescaped text).
        if (f.data() != end + 1 || *end != ',') return {};
        end = f.data() + f.size();
    }
    const std::size_t size = static_cast<std::size_t>(end - begin);
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"'), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i));
        const __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, quote),
                                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (_mm_movemask_epi8(hit) != 0) return {};
    }
#endif
    for (; i < size; ++i) {
        if (begin[i] == '"' || begin[i] == '\n' || begin[i] == '\r') return {};
    }
    return {begin, size};
}

void AppendField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    std::size_t from = 0;
    for (std::size_t q; (q = field.find('"', from)) != std::string_view::npos; from = q + 1) {
        out.append(field.substr(from, q + 1 - from));
        out.push_back('"');
    }
    out.append(field.substr(from));
    out.push_back('"');
}

void AppendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out.push_back(',');
        AppendField(out, fields[i]);
    }
    out.append("\r\n");
}

}  // namespace zentavo::csv
