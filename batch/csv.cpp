#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentavo::csv {

namespace {
constexpr std::size_t kReadBytes = std::size_t{1} << 16;  // what one read asks for at most
constexpr std::size_t kFirstReadBytes = std::size_t{1} << 12;
}  // namespace

Reader::Reader(std::string_view data, const ReaderOptions& options)
    : data_(data),
      line_(options.firstLine),
      max_(options.maxRecordBytes),
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
    const std::size_t nl = from < data_.size() ? data_.find('\n', from) : std::string_view::npos;
    pos_ = nl == std::string_view::npos ? data_.size() : nl + 1;
    skipsLine_ = nl == std::string_view::npos && more_;
}

template <bool Store>
bool Reader::Parse(Fields* fields, std::size_t& line, std::string& error) {
    if constexpr (Store) error.clear();
    needMore_ = false;
    skipsLine_ = false;
    const char* d = data_.data();
    const std::size_t n = data_.size();
    // Skip empty lines.
    while (pos_ < n) {
        if (d[pos_] == '\n') {
            ++pos_;
            ++line_;
        } else if (d[pos_] == '\r' && pos_ + 1 < n && d[pos_ + 1] == '\n') {
            pos_ += 2;
            ++line_;
        } else if (d[pos_] == '\r' && pos_ + 1 == n && more_) {
            needMore_ = true;  // a CR LF may be cut in two
            return false;
        } else {
            break;
        }
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
    // the end of the data.
    // Whether a record is too long never depends on where the data ends, so
    // a record reads the same from a piece and from the whole input.
    const std::size_t limit = max_ <= n - recordStart ? recordStart + max_ : n + 1;
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

    if constexpr (!Store) {
        // Passing over a line without quotes: it is one record, whatever its fields.
        const void* nl = std::memchr(d + pos_, '\n', cap - pos_);
        if (nl) {
            const std::size_t at = static_cast<const char*>(nl) - d;
            if (!std::memchr(d + pos_, '"', at - pos_)) {
                pos_ = at + 1;
                ++line_;
                seen_ = std::max(seen_, pos_);
                return true;
            }
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
    auto tooLong = [&] {
        far = std::max(far, std::min(limit, n));
        return fail([&] { return "longer than " + std::to_string(max_) + " bytes"; },
                    recordStart + max_, line_);
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
            bool doubled = false;
            for (;;) {
                const void* q = pos_ < cap ? std::memchr(d + pos_, '"', cap - pos_) : nullptr;
                if (!q) {
                    if (edge(cap) == kNeedMore) return wait();
                    // A quote that never closes would swallow the rest of the
                    // study: give up on the line it opened on alone.
                    far = std::max(far, cap);
                    return fail(
                        [&] {
                            return quoteLine == line ? std::string("unbalanced quote")
                                                     : "unbalanced quote opened on line " +
                                                           std::to_string(quoteLine);
                        },
                        open, quoteLine);
                }
                const std::size_t at = static_cast<const char*>(q) - d;
                pos_ = at + 1;
                far = std::max(far, pos_);
                e = edge(pos_);
                if (e == kNeedMore) return wait();
                if (e == kByte) far = std::max(far, pos_ + 1);
                if (e == kByte && d[pos_] == '"') {
                    doubled = true;
                    ++pos_;
                    continue;
                }
                break;
            }
            if (doubled) {
                unescaped(open, pos_ - 1);
            } else {
                add(data_.substr(open, pos_ - 1 - open));
            }
            // Line breaks inside quotes belong to the field but still count as lines.
            line_ += static_cast<std::size_t>(std::count(d + open, d + pos_, '\n'));
            e = edge(pos_);
            if (e == kTooLong) return tooLong();
            if (e == kByte && d[pos_] != ',' && d[pos_] != '\n') {
                bool endsLine = false;
                if (d[pos_] == '\r') {
                    const Edge next = edge(pos_ + 1);
                    if (next == kNeedMore) return wait();
                    if (next == kTooLong) return tooLong();
                    far = std::max(far, pos_ + 2);
                    endsLine = next == kEnd || d[pos_ + 1] == '\n';
                }
                if (!endsLine) {
                    if (line_ == quoteLine) {
                        return fail(
                            [] { return std::string("unexpected text after a closing quote"); },
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
            }
        } else {
            // The field ends at the next comma of its line.
            if (!lineEndKnown || lineEnd < pos_) {
                const void* nl = pos_ < cap ? std::memchr(d + pos_, '\n', cap - pos_) : nullptr;
                lineEnd = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - d) : cap;
                lineEndKnown = true;
            }
            const void* comma =
                pos_ < lineEnd ? std::memchr(d + pos_, ',', lineEnd - pos_) : nullptr;
            std::size_t end =
                comma ? static_cast<std::size_t>(static_cast<const char*>(comma) - d) : lineEnd;
            if (end == cap) {
                e = edge(end);
                if (e == kNeedMore) return wait();
                if (e == kTooLong) return tooLong();
            }
            far = std::max(far, end < n ? end + 1 : end);
            std::size_t stop = end;
            if ((end == n || d[end] == '\n') && stop > pos_ && d[stop - 1] == '\r') --stop;
            add(data_.substr(pos_, stop - pos_));
            pos_ = end;
        }
        if (pos_ >= n) break;
        if (d[pos_] == ',') {
            ++pos_;
            continue;
        }
        // End of the record: LF or CR LF (or a CR ending the data).
        if (d[pos_] == '\r') ++pos_;
        pos_ = std::min(pos_ + 1, n);
        ++line_;
        break;
    }
    seen_ = std::max({seen_, far, pos_});
    return true;
}

ChunkReader::ChunkReader(Source source, std::size_t maxRecordBytes)
    : source_(std::move(source)),
      max_(maxRecordBytes),
      maxCapacity_(maxRecordBytes + kReadBytes),
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
        if (std::memchr(buf_.get() + begin_ + held, '\n', end_ - begin_ - held)) return true;
        if (end_ - begin_ == held) return true;  // the buffer is as full as it gets
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
        if (skippingLine_) {
            const void* nl = std::memchr(buf_.get() + begin_, '\n', end_ - begin_);
            if (nl) {
                begin_ = static_cast<const char*>(nl) - buf_.get() + 1;
                skippingLine_ = false;
            } else {
                begin_ = end_;
                if (!Fill()) return count;
                continue;
            }
        }
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
