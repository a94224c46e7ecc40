#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zentavo::csv {

Reader::Reader(std::string_view data, std::size_t firstLine) : data_(data), line_(firstLine) {
    if (data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
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
    while (done < records && Parse<false>(nullptr, line, error)) ++done;
    return done;
}

void Reader::SkipToNextLine(std::size_t from) {
    const std::size_t nl = data_.find('\n', from);
    pos_ = nl == std::string_view::npos ? data_.size() : nl + 1;
}

template <bool Store>
bool Reader::Parse(Fields* fields, std::size_t& line, std::string& error) {
    if constexpr (Store) error.clear();
    // Skip empty lines.
    while (pos_ < data_.size()) {
        if (data_[pos_] == '\n') {
            ++pos_;
            ++line_;
        } else if (data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n') {
            pos_ += 2;
            ++line_;
        } else {
            break;
        }
    }
    if (pos_ >= data_.size()) return false;

    line = line_;
    const std::size_t recordStart = pos_;
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
            if (fields->unescapedUsed_ == fields->unescaped_.size()) fields->unescaped_.emplace_back();
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
    // stands on; the next record starts on the line after it.
    auto fail = [&](const char* what, std::size_t resumeFrom, std::size_t resumeLine) {
        if constexpr (Store) error = "line " + std::to_string(line) + ": " + what;
        line_ = resumeLine + 1;
        SkipToNextLine(resumeFrom);
        return true;
    };

    const char* d = data_.data();
    const std::size_t n = data_.size();
    for (;;) {
        if (pos_ < n && d[pos_] == '"') {
            const std::size_t open = ++pos_;
            bool doubled = false;
            for (;;) {
                const void* q = std::memchr(d + pos_, '"', n - pos_);
                // A quote that never closes would swallow the rest of the
                // study: give up on this line alone.
                if (!q) return fail("unbalanced quote", recordStart, line);
                const std::size_t at = static_cast<const char*>(q) - d;
                pos_ = at + 1;
                if (pos_ < n && d[pos_] == '"') {
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
            if (pos_ < n && d[pos_] != ',' && d[pos_] != '\n' &&
                !(d[pos_] == '\r' && (pos_ + 1 == n || d[pos_ + 1] == '\n'))) {
                return fail("unexpected text after a closing quote", pos_, line_);
            }
        } else {
            std::size_t end = pos_;
            while (end < n && d[end] != ',' && d[end] != '\n') ++end;
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
        // End of the record: LF or CR LF.
        if (d[pos_] == '\r') ++pos_;
        ++pos_;
        ++line_;
        break;
    }
    return true;
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
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, comma), _mm_cmpeq_epi8(v, quote)),
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
    *out++ = '"';
    for (char c : field) {
        if (c == '"') *out++ = '"';
        *out++ = c;
    }
    *out++ = '"';
    return out;
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
