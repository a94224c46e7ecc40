// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/csv.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

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
      delimiter_(options.delimiter),
      more_(options.moreFollows) {
    if (options.startOfInput && data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    seen_ = pos_;
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

// The reading of one record, step by step: the blank lines before it, then
// its fields, quoted or plain, up to the line end after the last. A step
// either lets the reading go on or ends it; a record ends read (Next returns
// true: whole, or malformed through Fail) or not read (false: the end of
// the data, or Wait for more of it).
template <bool Store>
class Reader::Scanner {
public:
    Scanner(Reader& reader, Fields* fields, std::size_t& line, std::string& error)
        : r_(reader), fields_(fields), line_(line), error_(error), d_(reader.data_.data()),
          n_(reader.data_.size()), delimiter_(reader.delimiter_) {}

    bool Record() {
        if constexpr (Store) error_.clear();
        r_.needMore_ = false;
        r_.skipsLine_ = false;
        if (const Outcome o = BlankLines()) return *o;
        Start();
        if constexpr (!Store) {
            if (const Outcome o = LineWithoutQuotes()) return *o;
        }
        if constexpr (Store) {
            fields_->count_ = 0;
            fields_->unescapedUsed_ = 0;
            fields_->plain_ = {};
            if (PlainLine()) {
                if (const Outcome o = RecordEnd()) return *o;
                r_.seen_ = std::max({r_.seen_, far_, r_.pos_});
                return true;
            }
        }
        for (;;) {
            const Edge e = EdgeAt(r_.pos_);
            if (e == kNeedMore) return Wait();
            if (e == kTooLong) return TooLong();
            if (const Outcome o = e == kByte && d_[r_.pos_] == '"' ? QuotedField() : PlainField()) {
                return *o;
            }
            if (r_.pos_ >= n_) break;
            if (d_[r_.pos_] == delimiter_) {
                ++r_.pos_;
                continue;
            }
            if (const Outcome o = RecordEnd()) return *o;
            break;
        }
        r_.seen_ = std::max({r_.seen_, far_, r_.pos_});
        return true;
    }

private:
    // Reading goes on (nullopt), or ends with what Next returns.
    using Outcome = std::optional<bool>;
    static constexpr Outcome kGoOn = std::nullopt;

    // What stands at a place of the data, for the record being read.
    enum Edge { kByte, kTooLong, kNeedMore, kEnd };
    Edge EdgeAt(std::size_t p) const {
        if (p >= limit_) return kTooLong;
        if (p < n_) return kByte;
        return r_.more_ ? kNeedMore : kEnd;
    }

    // Empty lines before the record: LF, CR LF or a lone CR. Ends the
    // reading where the data holds no record.
    Outcome BlankLines() {
        std::size_t& pos = r_.pos_;
        while (pos < n_) {
            if (d_[pos] == '\n') {
                ++pos;
            } else if (d_[pos] == '\r') {
                if (pos + 1 < n_) {
                    pos += d_[pos + 1] == '\n' ? 2 : 1;
                } else if (r_.more_) {
                    r_.needMore_ = true;  // a CR LF may be cut in two
                    return false;
                } else {
                    ++pos;
                }
            } else {
                break;
            }
            ++r_.line_;
        }
        r_.seen_ = std::max(r_.seen_, pos);
        if (pos >= n_) {
            r_.needMore_ = r_.more_;
            return false;
        }
        return kGoOn;
    }

    // Where the record starts and how far its reading may go: it stops
    // where the record would pass its longest length, or at the end of the
    // data; a quoted field is looked through on to its reach. Whether a
    // record is too long never depends on where the data ends, so a record
    // reads the same from a piece and from the whole input.
    void Start() {
        line_ = r_.line_;
        recordStart_ = r_.pos_;
        startLine_ = r_.line_;
        limit_ = r_.max_ <= n_ - recordStart_ ? recordStart_ + r_.max_ : n_ + 1;
        reachEnd_ = r_.reach_ <= n_ - recordStart_ ? recordStart_ + r_.reach_ : n_ + 1;
        cap_ = std::min(n_, limit_);
        far_ = r_.pos_;
    }

    // The record reaches the end of the piece: it is read again once more
    // of the input has come.
    bool Wait() {
        r_.pos_ = recordStart_;
        r_.line_ = startLine_;
        r_.needMore_ = true;
        return false;
    }

    // Where the line after the line end character at `at` starts; past the
    // data when a CR ends the piece and the LF of a CR LF may follow.
    std::size_t AfterLineEnd(std::size_t at) {
        if (d_[at] == '\n') return at + 1;
        far_ = std::max(far_, std::min(at + 2, n_));
        if (at + 1 < n_) return d_[at + 1] == '\n' ? at + 2 : at + 1;
        return r_.more_ ? n_ + 1 : n_;
    }

    // Passing over a line without quotes: it is one record, whatever its fields.
    Outcome LineWithoutQuotes() {
        const std::size_t at = FindLineEnd<true>(d_, r_.pos_, cap_);
        if (at >= cap_ || d_[at] == '"') return kGoOn;
        const std::size_t next = AfterLineEnd(at);
        if (next > n_) return Wait();
        r_.pos_ = next;
        ++r_.line_;
        r_.seen_ = std::max({r_.seen_, far_, r_.pos_});
        return true;
    }

    void Add(std::string_view v) {
        if constexpr (Store) fields_->Add({v.data(), v.size(), -1});
    }

    // A quoted field with doubled quotes: its text without them.
    void AddUnescaped(std::size_t from, std::size_t to) {
        if constexpr (Store) {
            if (fields_->unescapedUsed_ == fields_->unescaped_.size()) fields_->unescaped_.emplace_back();
            std::string& u = fields_->unescaped_[fields_->unescapedUsed_++];
            u.clear();
            for (std::size_t i = from; i < to; ++i) {
                u.push_back(d_[i]);
                if (d_[i] == '"') ++i;  // the second of a doubled quote
            }
            fields_->Add({nullptr, 0, static_cast<int>(fields_->unescapedUsed_ - 1)});
        }
    }

    // A malformed record, `what` saying why: it ends at the end of the
    // physical line `resumeFrom` stands on (numbered `resumeLine`); the next
    // record starts on the line after it.
    template <class What>
    bool Fail(What&& what, std::size_t resumeFrom, std::size_t resumeLine) {
        if constexpr (Store) error_ = "line " + std::to_string(line_) + ": " + what();
        r_.seen_ = std::max(r_.seen_, far_);
        r_.line_ = resumeLine + 1;
        r_.SkipToNextLine(resumeFrom);
        r_.seen_ = std::max(r_.seen_, r_.pos_);
        return true;
    }

    std::string TooLongText() const { return "longer than " + std::to_string(r_.max_) + " bytes"; }

    bool TooLong() {
        far_ = std::max(far_, std::min(limit_, n_));
        return Fail([this] { return TooLongText(); }, recordStart_ + r_.max_, r_.line_);
    }

    // A field in quotes, up to the byte after its closing quote.
    Outcome QuotedField() {
        std::size_t& pos = r_.pos_;
        const std::size_t quoteLine = r_.line_;
        const std::size_t open = ++pos;
        const std::size_t quoteCap = std::min(n_, reachEnd_);
        bool doubled = false;
        for (;;) {
            const void* q = pos < quoteCap ? std::memchr(d_ + pos, '"', quoteCap - pos) : nullptr;
            if (!q) {
                if (quoteCap == n_ && n_ < reachEnd_ && r_.more_) return Wait();
                return UnclosedQuote(open, quoteLine, quoteCap);
            }
            pos = static_cast<std::size_t>(static_cast<const char*>(q) - d_) + 1;
            far_ = std::max(far_, pos);
            // The byte after the quote tells a doubled quote from a closing one.
            if (pos == n_ && r_.more_) return Wait();
            if (pos < n_) far_ = std::max(far_, pos + 1);
            if (pos < n_ && d_[pos] == '"') {
                doubled = true;
                ++pos;
                continue;
            }
            break;
        }
        const std::size_t close = pos - 1;
        // Line breaks inside quotes belong to the field but still count as lines.
        r_.line_ += CountLineEnds(d_, open, close);
        // A field that passes the longest record is not kept: its record is malformed.
        if (pos < limit_) {
            if (doubled) {
                AddUnescaped(open, close);
            } else {
                Add(r_.data_.substr(open, close - open));
            }
        }
        return AfterClosingQuote(open, quoteLine);
    }

    // A quote that never closes (within its reach, or before the end of the
    // input) would swallow the rest of the study: the line it opened on alone
    // is given up.
    bool UnclosedQuote(std::size_t open, std::size_t quoteLine, std::size_t quoteCap) {
        far_ = std::max(far_, quoteCap);
        const bool beyondReach = quoteCap == reachEnd_;
        return Fail(
            [&] {
                std::string what = quoteLine == line_
                                       ? std::string("unbalanced quote")
                                       : "unbalanced quote opened on line " +
                                             std::to_string(quoteLine);
                if (beyondReach) {
                    what += " (no closing quote within " + std::to_string(r_.reach_) + " bytes)";
                }
                return what;
            },
            open, quoteLine);
    }

    // What may follow a closing quote: a comma or a line end, within the
    // longest record.
    Outcome AfterClosingQuote(std::size_t open, std::size_t quoteLine) {
        const std::size_t pos = r_.pos_;
        if (pos < n_ && d_[pos] != delimiter_ && d_[pos] != '\n' && d_[pos] != '\r') {
            if (r_.line_ == quoteLine) {
                return Fail([] { return std::string("unexpected text after a closing quote"); }, pos,
                            r_.line_);
            }
            // The quote ran over line ends before text followed it: most
            // likely it was never closed. The line it opened on is given up;
            // the lines after it are read again.
            const std::size_t closeLine = r_.line_;
            return Fail(
                [&] {
                    return "unexpected text after a closing quote on line " +
                           std::to_string(closeLine) + "; the quote opened on line " +
                           std::to_string(quoteLine);
                },
                open, quoteLine);
        }
        if (pos >= limit_) {
            // A quoted field closing past the longest record: one malformed
            // record, up to the line end after the closing quote.
            const std::size_t closeLine = r_.line_;
            return Fail(
                [&] {
                    if (closeLine == quoteLine && quoteLine == line_) return TooLongText();
                    return TooLongText() + ": a quoted field from line " +
                           std::to_string(quoteLine) + " to line " + std::to_string(closeLine);
                },
                pos, r_.line_);
        }
        return kGoOn;
    }

    // The common record: one line without a quote, its line end within the
    // data and within the longest record. Its fields are split at every
    // delimiter at once, as the field-by-field steps would read them; false
    // leaves the record to those steps, nothing read.
    bool PlainLine() {
        const std::size_t from = r_.pos_;
        const std::size_t end = FindLineEnd<true>(d_, from, cap_);
        if (end >= cap_ || d_[end] == '"') return false;
        Fields& f = *fields_;
        // Room for the fields of a stretch before it is split: stored
        // without a check each.
        auto room = [&f](std::size_t more) {
            if (f.count_ + more > f.fields_.size()) f.fields_.resize(f.count_ + more + 16);
        };
        auto add = [&f, this](std::size_t start, std::size_t stop) {
            f.fields_[f.count_++] = {d_ + start, stop - start, -1};
        };
        std::size_t start = from, i = from;
#if defined(__SSE2__)
        const __m128i delimiter = _mm_set1_epi8(delimiter_);
        for (; i + 16 <= end; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d_ + i));
            room(16);
            for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, delimiter))); mask != 0;
                 mask &= mask - 1) {
                const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
                add(start, at);
                start = at + 1;
            }
        }
#endif
        room(end - i + 1);
        for (; i < end; ++i) {
            if (d_[i] != delimiter_) continue;
            add(start, i);
            start = i + 1;
        }
        add(start, end);
        f.plain_ = r_.data_.substr(from, end - from);
        f.plainDelimiter_ = delimiter_;
        r_.pos_ = end;
        far_ = std::max(far_, end + 1);
        return true;
    }

    // A field without quotes: it ends at the next delimiter of its line.
    Outcome PlainField() {
        std::size_t& pos = r_.pos_;
        if (!lineEndKnown_ || lineEnd_ < pos) {
            lineEnd_ = FindLineEnd<false>(d_, pos, cap_);
            lineEndKnown_ = true;
        }
        const void* comma =
            pos < lineEnd_ ? std::memchr(d_ + pos, delimiter_, lineEnd_ - pos) : nullptr;
        const std::size_t end =
            comma ? static_cast<std::size_t>(static_cast<const char*>(comma) - d_) : lineEnd_;
        if (end == cap_) {
            const Edge e = EdgeAt(end);
            if (e == kNeedMore) return Wait();
            if (e == kTooLong) return TooLong();
        }
        far_ = std::max(far_, end < n_ ? end + 1 : end);
        Add(r_.data_.substr(pos, end - pos));
        pos = end;
        return kGoOn;
    }

    // The end of the record: LF, CR LF or a lone CR.
    Outcome RecordEnd() {
        const std::size_t next = AfterLineEnd(r_.pos_);
        if (next > n_) return Wait();
        r_.pos_ = next;
        ++r_.line_;
        return kGoOn;
    }

    Reader& r_;
    Fields* fields_;
    std::size_t& line_;  // the number of the line the record starts on, for Next's caller
    std::string& error_;
    const char* const d_;
    const std::size_t n_;
    const char delimiter_;
    std::size_t recordStart_ = 0, startLine_ = 0;
    std::size_t limit_ = 0;     // where the record passes its longest length (past the data: never)
    std::size_t reachEnd_ = 0;  // how far a quoted field is looked through
    std::size_t cap_ = 0;       // the end of what the record may take from the data
    std::size_t far_ = 0;       // one past the last byte looked at
    std::size_t lineEnd_ = 0;   // the line end (or cap_) after a plain field, once looked for
    bool lineEndKnown_ = false;
};

Record Reader::Next(Fields& fields) {
    Record r;
    std::string problem;
    r.read = Scanner<true>(*this, &fields, r.line, problem).Record();
    if (!problem.empty()) r.problem = std::move(problem);
    return r;
}

Record Reader::Next(std::vector<std::string>& fields) {
    Fields record;
    Record r = Next(record);
    if (!r) return r;
    fields.clear();
    for (std::size_t i = 0; i < record.size(); ++i) fields.emplace_back(record[i]);
    return r;
}

std::size_t Reader::Skip(std::size_t records) {
    std::size_t done = 0, line;
    std::string error;
    while (done < records && Scanner<false>(*this, nullptr, line, error).Record()) {
        ++done;
        if (skipsLine_) break;
    }
    return done;
}

ChunkReader::ChunkReader(Source source, std::size_t maxRecordBytes, char delimiter)
    : source_(std::move(source)),
      max_(maxRecordBytes),
      delimiter_(delimiter),
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
    o.delimiter = delimiter_;
    return o;
}

void ChunkReader::SkipMark() {
    if (markSkipped_) return;
    markSkipped_ = true;
    while (end_ - begin_ < 3 && Fill()) {
    }
    if (std::string_view(buf_.get() + begin_, end_ - begin_).substr(0, 3) == "\xEF\xBB\xBF")
        begin_ += 3;
}

std::string_view ChunkReader::FirstLine() {
    SkipMark();
    for (;;) {
        // Fill may move what is held: the places are found again each time.
        const char* b = buf_.get();
        std::size_t from = begin_;
        while (from < end_ && (b[from] == '\n' || b[from] == '\r')) ++from;
        const std::size_t at = FindLineEnd<false>(b, from, end_);
        if (at < end_ && (b[at] == '\n' || at + 1 < end_ || eof_)) {
            const std::size_t stop = b[at] == '\r' && at + 1 < end_ && b[at + 1] == '\n' ? at + 2 : at + 1;
            return {b + from, stop - from};
        }
        if (eof_ || at - from >= max_) return {b + from, end_ - from};
        const std::size_t held = end_ - begin_, blank = from - begin_;
        if (Fill() && end_ - begin_ == held) {
            return {buf_.get() + begin_ + blank, held - blank};  // as full as the buffer gets
        }
    }
}

Record ChunkReader::First(std::vector<std::string>& fields) {
    SkipMark();
    for (;;) {
        Reader r(std::string_view(buf_.get() + begin_, end_ - begin_), PieceOptions());
        Record got = r.Next(fields);
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

}  // namespace zentavo::csv
