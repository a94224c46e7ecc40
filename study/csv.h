// SPDX-License-Identifier: GPL-3.0-or-later
// Reading comma-separated values after RFC 4180: a header row, fields optionally in
// double quotes (a quote inside doubled), separated by a comma (or another
// delimiter: a semicolon or a tab, as spreadsheets export them where the
// comma is the decimal separator), CR LF, LF or lone CR line ends
// (older Macintosh programs and some exports end lines with CR alone), UTF-8
// with an optional byte-order mark at the very start.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo::csv {

// The longest record read: a record (or a quoted field) running on past it
// is reported as malformed, so one bad line never holds the rest of a study
// in memory.
inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

// The delimiters fields may be separated by: a comma, a semicolon or a tab.
inline bool IsDelimiter(char c) { return c == ',' || c == ';' || c == '\t'; }

// A quoted field that runs past the longest record is looked through for its
// closing quote up to this many times the longest record from the record's
// start. Closing there, before a comma or a line end, the field makes one
// record too long: one malformed record, and reading resumes after the line
// end that follows the closing quote. A quote that does not close within
// that reach (or closes before other text) is taken as left open: the
// record ends with the line the quote opened on.
inline constexpr std::size_t kQuoteReachRecords = 4;
// How far reading may look from a record's start: the longest record times
// kQuoteReachRecords (without overflowing).
std::size_t QuoteReach(std::size_t maxRecordBytes);

// The fields of one record: views into the input, or into the record's own
// storage for a quoted field whose doubled quotes had to be undone. Valid
// while the input lives and until the record is read into again.
class Fields {
public:
    std::size_t size() const { return count_; }
    // A record read from one line without quotes: that line's text, its
    // fields one delimiter apart and holding none; empty for any other record.
    std::string_view PlainLine() const { return plain_; }
    char PlainDelimiter() const { return plainDelimiter_; }
    std::string_view operator[](std::size_t i) const {
        const Field& f = fields_[i];
        return f.own < 0 ? std::string_view(f.data, f.size) : std::string_view(unescaped_[f.own]);
    }

private:
    friend class Reader;
    // A field of the input, or one of the record's own texts: indexes rather
    // than pointers into them, so a copied or moved record stays whole.
    struct Field {
        const char* data;
        std::size_t size;
        int own;  // index into unescaped_, or -1
    };
    void Add(Field f) {
        if (count_ == fields_.size()) fields_.emplace_back();
        fields_[count_++] = f;
    }
    std::vector<Field> fields_;  // grows, never shrinks: reused record after record
    std::size_t count_ = 0;
    // A record read from one line without quotes: its text and the delimiter
    // its fields were split at (see PlainRecordText); empty otherwise.
    std::string_view plain_;
    char plainDelimiter_ = 0;
    friend std::string_view PlainRecordText(const Fields& fields, char delimiter);
    std::vector<std::string> unescaped_;
    std::size_t unescapedUsed_ = 0;
};

struct ReaderOptions {
    std::size_t firstLine = 1;  // the number of the data's first line
    bool startOfInput = true;   // the data opens the input: a byte-order mark there is skipped
    // The data is a piece of a longer input: a record that reaches its end
    // is not read, and NeedsMore() says so (see ChunkReader).
    bool moreFollows = false;
    std::size_t maxRecordBytes = kMaxRecordBytes;
    char delimiter = ',';  // between the fields of a record: one of IsDelimiter
};

// What one reading of a record gave: a record (whole, or malformed with
// its problem) or, at the end of the data, none (false).
struct Record {
    bool read = false;
    std::size_t line = 0;                // the physical line it starts on (1 = first line)
    std::optional<std::string> problem;  // a malformed record: why, naming its line
    explicit operator bool() const { return read; }
};

class Reader {
public:
    // `data` must outlive the reader. Read as a whole input by default.
    explicit Reader(std::string_view data, const ReaderOptions& options = {});

    // Reads the next record into `fields` (reusing their storage). A
    // malformed record has its `problem`, a message naming its line (its
    // fields are not to be used); reading resumes on the line after it, so
    // one bad line costs only itself (a quoted field too long to read
    // resumes after its closing quote's line: see kQuoteReachRecords). Empty
    // lines are skipped. At the end of the data, no record is read.
    Record Next(Fields& fields);
    // The same, with the fields copied out.
    Record Next(std::vector<std::string>& fields);

    // Passes over up to `records` records exactly as Next would read them,
    // without keeping them; returns how many there were.
    std::size_t Skip(std::size_t records);

    std::size_t Offset() const { return pos_; }  // where the next record starts
    std::size_t Line() const { return line_; }   // the number of its line
    // How far reading looked: a record's reading may look past its end (a
    // quote that never closes), and reads the same only with those bytes.
    std::size_t Seen() const { return std::min(seen_, data_.size()); }
    // With moreFollows: the last Next or Skip stopped for want of data.
    bool NeedsMore() const { return needMore_; }
    // With moreFollows: the last record was malformed and the rest of its
    // line lies beyond the data; the input up to the next line end belongs to
    // it (Offset() may stand on a CR whose LF is still to come).
    bool SkipsRestOfLine() const { return skipsLine_; }

private:
    // Reads one record into the fields (Store) or passes over it.
    template <bool Store>
    class Scanner;
    void SkipToNextLine(std::size_t from);

    std::string_view data_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t seen_ = 0;
    std::size_t max_;
    std::size_t reach_;
    char delimiter_;
    bool more_;
    bool needMore_ = false;
    bool skipsLine_ = false;
};

// Reads an input piece by piece and hands out its records in chunks of whole
// records, holding at most about one chunk and the reach of one record
// (QuoteReach) at a time.
class ChunkReader {
public:
    // Fills up to `size` bytes of `buffer`; 0 at the end of the input.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;

    explicit ChunkReader(Source source, std::size_t maxRecordBytes = kMaxRecordBytes,
                         char delimiter = ',');

    // The first line of the input as it stands, after a byte-order mark and
    // the empty lines before it, with its line end (CR LF, LF or CR) when
    // one comes within the longest record; nothing is read from it. For a
    // look at the header before it is read (SetDelimiter).
    std::string_view FirstLine();
    // The delimiter of the records read from here on.
    void SetDelimiter(char delimiter) { delimiter_ = delimiter; }

    // The first record (the header), after a byte-order mark.
    Record First(std::vector<std::string>& fields);

    // The next records, at most `maxRecords` of them and about `maxBytes`:
    // `text` receives them, with the bytes their reading looked at beyond the
    // last, to be read by a Reader with `options` (as a whole input). Returns
    // how many; 0 at the end of the input.
    std::size_t Next(std::string& text, ReaderOptions& options, std::size_t maxRecords,
                     std::size_t maxBytes);

private:
    bool Fill();      // reads more after what is held; false at the end of the input
    bool FillLine();  // the same, on to a line end at least
    bool SkipLine();  // passes the rest of a malformed record's line; false at the end
    void SkipMark();  // passes a byte-order mark opening the input, once
    ReaderOptions PieceOptions() const;

    Source source_;
    std::size_t max_;
    char delimiter_;
    std::size_t maxCapacity_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buf_;
    std::size_t begin_ = 0, end_ = 0;  // what is held and not yet handed out
    std::size_t seen_ = 0;             // how far reading has looked, in buf_
    bool eof_ = false;
    bool lastReadFilled_ = false;
    bool skippingLine_ = false;
    bool markSkipped_ = false;
    std::size_t line_ = 1;
};

}  // namespace zentavo::csv
