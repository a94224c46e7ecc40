// Comma-separated values after RFC 4180: a header row, fields optionally in
// double quotes (a quote inside doubled), CRLF or LF line ends, UTF-8 with an
// optional byte-order mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo::csv {

// The fields of one record: views into the input, or into the record's own
// storage for a quoted field whose doubled quotes had to be undone. Valid
// while the input lives and until the record is read into again.
class Fields {
public:
    std::size_t size() const { return count_; }
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
    std::vector<std::string> unescaped_;
    std::size_t unescapedUsed_ = 0;
};

class Reader {
public:
    // `data` must outlive the reader; its first line has the number
    // `firstLine`. A leading UTF-8 byte-order mark is skipped.
    explicit Reader(std::string_view data, std::size_t firstLine = 1);

    // Reads the next record into `fields` (reusing their storage). `line` is
    // the number of the physical line the record starts on (1 = first line).
    // A malformed record sets `error` to a message naming that line; reading
    // resumes on the line after it, so one bad line costs only itself.
    // Empty lines are skipped. Returns false at the end of the input.
    bool Next(Fields& fields, std::size_t& line, std::string& error);
    // The same, with the fields copied out.
    bool Next(std::vector<std::string>& fields, std::size_t& line, std::string& error);

    // Passes over up to `records` records exactly as Next would read them,
    // without keeping them; returns how many there were.
    std::size_t Skip(std::size_t records);

    std::size_t Offset() const { return pos_; }  // where the next record starts
    std::size_t Line() const { return line_; }   // the number of its line

private:
    template <bool Store>
    bool Parse(Fields* fields, std::size_t& line, std::string& error);
    void SkipToNextLine(std::size_t from);

    std::string_view data_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

// Appends `field` to `out`, in quotes when it holds a comma, a quote or a line break.
void AppendField(std::string& out, std::string_view field);
// The same into raw memory with room for 2 * field.size() + 2 characters;
// returns the end of what was written.
char* WriteField(char* out, std::string_view field);
// Appends a whole record, fields separated by commas, ended by CR LF.
void AppendRecord(std::string& out, const std::vector<std::string>& fields);

}  // namespace zentavo::csv
