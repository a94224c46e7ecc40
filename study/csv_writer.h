// SPDX-License-Identifier: GPL-3.0-or-later
// Writing comma-separated values as the reader reads them (RFC 4180): a
// field in double quotes when it holds the delimiter (a comma, or a semicolon
// or a tab), a quote or a line break (a quote inside doubled), records ended
// by CR LF, or by LF alone.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "study/csv.h"

namespace zentavo::csv {

// How records are written: the delimiter between fields (one of
// IsDelimiter) and the line end after each record.
enum class LineEnd { kCrLf, kLf };
struct WriteOptions {
    char delimiter = ',';
    LineEnd lineEnd = LineEnd::kCrLf;
};

// Appends `field` to `out`, in quotes when it holds the delimiter, a quote or a line break.
void AppendField(std::string& out, std::string_view field, char delimiter = ',');
// The same into raw memory with room for 2 * field.size() + 2 characters;
// returns the end of what was written.
char* WriteField(char* out, std::string_view field, char delimiter = ',');
// The text of a record whose fields lie in the input one after the other,
// separated by single delimiters, none of them quoted or holding a quote or
// a line break: exactly what writing its fields back with WriteField and
// delimiters gives. Empty when the record is not so plain (or has no text).
std::string_view PlainRecordText(const Fields& fields, char delimiter = ',');
// Appends a whole record, fields separated by the delimiter, ended by the line end.
void AppendRecord(std::string& out, const std::vector<std::string>& fields,
                  const WriteOptions& options = {});

// CSV text written straight into memory, record after record.
class Writer {
public:
    explicit Writer(const WriteOptions& options = {});

    // Appends a record of `width` fields: those of `fields` (a record as a
    // Reader read it) up to `width`, empty ones after its last, then `more`;
    // ended by the line end. A record read whole (`whole`: without error, `width`
    // fields) whose text is plain (PlainRecordText) is copied as it stands.
    void Record(const Fields& fields, std::size_t width, bool whole, std::span<const std::string> more);
    // The same with `more` being cells[order[0]], cells[order[1]], ...: the
    // cells written where they lie, without moving them into that order.
    void Record(const Fields& fields, std::size_t width, bool whole, std::span<const std::string> cells,
                std::span<const int> order);

    // Empties the text; memory beyond what an ordinary chunk of records
    // needs is given back.
    void Clear();
    std::string_view View() const { return {data_.get(), size_}; }

private:
    template <class More>
    void WriteRecord(const Fields& fields, std::size_t width, bool whole, std::size_t count, More more);
    // Room for `n` more characters.
    char* Room(std::size_t n);

    WriteOptions options_;
    const std::array<bool, 256>* quotes_;  // the characters that put a field in quotes
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace zentavo::csv
