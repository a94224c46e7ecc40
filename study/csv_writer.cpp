// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/csv_writer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentavo::csv {

namespace {
// The characters that put a field in quotes, for each delimiter.
using QuoteTable = std::array<bool, 256>;
constexpr QuoteTable MakeQuoteTable(char delimiter) {
    QuoteTable t{};
    t[static_cast<unsigned char>(delimiter)] = t['"'] = t['\n'] = t['\r'] = true;
    return t;
}
constexpr QuoteTable kCommaQuotes = MakeQuoteTable(','), kSemicolonQuotes = MakeQuoteTable(';'),
                     kTabQuotes = MakeQuoteTable('\t');
const QuoteTable& QuotesFor(char delimiter) {
    if (delimiter == ',') return kCommaQuotes;
    if (delimiter == ';') return kSemicolonQuotes;
    if (delimiter == '\t') return kTabQuotes;
    throw std::invalid_argument("a CSV delimiter is a comma, a semicolon or a tab");
}

bool NeedsQuotes(std::string_view field, char delimiter, const QuoteTable& special) {
    const char* p = field.data();
    const std::size_t n = field.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen characters at a time: most fields hold none of the four.
    const __m128i delim = _mm_set1_epi8(delimiter), quote = _mm_set1_epi8('"');
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, delim), _mm_cmpeq_epi8(v, quote)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (_mm_movemask_epi8(hit) != 0) return true;
    }
#else
    (void)delimiter;
#endif
    for (; i < n; ++i) {
        if (special[static_cast<unsigned char>(p[i])]) return true;
    }
    return false;
}

// WriteField with the quoting table of its delimiter looked up already.
char* WriteFieldWith(char* out, std::string_view field, char delimiter, const QuoteTable& special) {
    // Most fields are short numbers: copied and checked in one pass.
    if (field.size() < 16) {
        char* o = out;
        for (char c : field) {
            if (special[static_cast<unsigned char>(c)]) goto quoted;
            *o++ = c;
        }
        return o;
    }
    if (!NeedsQuotes(field, delimiter, special)) {
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
}  // namespace

char* WriteField(char* out, std::string_view field, char delimiter) {
    return WriteFieldWith(out, field, delimiter, QuotesFor(delimiter));
}

std::string_view PlainRecordText(const Fields& fields, char delimiter) {
    // Read from one line without quotes: known to the reader already.
    if (!fields.plain_.empty() && fields.plainDelimiter_ == delimiter) return fields.plain_;
    const std::size_t n = fields.size();
    if (n == 0) return {};
    const char* const begin = fields[0].data();
    const char* end = begin + fields[0].size();
    for (std::size_t i = 1; i < n; ++i) {
        const std::string_view f = fields[i];
        // `end` is read only when the next field starts right after it: then
        // it is the separator in the input (or the end of an unescaped text).
        if (f.data() != end + 1 || *end != delimiter) return {};
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

void AppendField(std::string& out, std::string_view field, char delimiter) {
    if (!NeedsQuotes(field, delimiter, QuotesFor(delimiter))) {
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

void AppendRecord(std::string& out, const std::vector<std::string>& fields, const WriteOptions& options) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out.push_back(options.delimiter);
        AppendField(out, fields[i], options.delimiter);
    }
    out.append(options.lineEnd == LineEnd::kLf ? "\n" : "\r\n");
}

namespace {
// A writer keeps up to this much memory when it is cleared.
constexpr std::size_t kKeptCapacity = std::size_t{4} << 20;
}  // namespace

Writer::Writer(const WriteOptions& options) : options_(options), quotes_(&QuotesFor(options.delimiter)) {}

char* Writer::Room(std::size_t n) {
    if (size_ + n > capacity_) {
        const std::size_t capacity = std::max(2 * capacity_, size_ + n + 4096);
        std::unique_ptr<char[]> bigger(new char[capacity]);  // not cleared: written before read
        if (size_) std::memcpy(bigger.get(), data_.get(), size_);
        data_ = std::move(bigger);
        capacity_ = capacity;
    }
    return data_.get() + size_;
}

void Writer::Clear() {
    size_ = 0;
    if (capacity_ > kKeptCapacity) {
        data_.reset();
        capacity_ = 0;
    }
}

// `more(i)`: the i-th of the `count` texts after the fields.
template <class More>
void Writer::WriteRecord(const Fields& fields, std::size_t width, bool whole, std::size_t count, More more) {
    const std::size_t shown = std::min(width, fields.size());
    const char delimiter = options_.delimiter;
    const QuoteTable& special = *quotes_;
    const std::string_view plain =
        whole && fields.size() == width ? PlainRecordText(fields, delimiter) : std::string_view();
    std::size_t room = width + count + 2;
    if (plain.empty()) {
        for (std::size_t i = 0; i < shown; ++i) room += 2 * fields[i].size() + 2;
    } else {
        room += plain.size();
    }
    for (std::size_t i = 0; i < count; ++i) room += 2 * more(i).size() + 2;
    char* o = Room(room);
    if (!plain.empty()) {
        std::memcpy(o, plain.data(), plain.size());
        o += plain.size();
    } else {
        for (std::size_t i = 0; i < width; ++i) {
            if (i) *o++ = delimiter;
            if (i < shown) o = WriteFieldWith(o, fields[i], delimiter, special);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        *o++ = delimiter;
        o = WriteFieldWith(o, more(i), delimiter, special);
    }
    if (options_.lineEnd == LineEnd::kCrLf) *o++ = '\r';
    *o++ = '\n';
    size_ = static_cast<std::size_t>(o - data_.get());
}

void Writer::Record(const Fields& fields, std::size_t width, bool whole, std::span<const std::string> more) {
    WriteRecord(fields, width, whole, more.size(), [more](std::size_t i) -> std::string_view { return more[i]; });
}

void Writer::Record(const Fields& fields, std::size_t width, bool whole, std::span<const std::string> cells,
                    std::span<const int> order) {
    WriteRecord(fields, width, whole, order.size(),
                [cells, order](std::size_t i) -> std::string_view { return cells[static_cast<std::size_t>(order[i])]; });
}

}  // namespace zentavo::csv
