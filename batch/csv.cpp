#include "batch/csv.h"

#include <cstring>

namespace zentavo::csv {

Reader::Reader(std::string_view data) : data_(data) {
    if (data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

void Reader::SkipToNextLine(std::size_t from) {
    const std::size_t nl = data_.find('\n', from);
    pos_ = nl == std::string_view::npos ? data_.size() : nl + 1;
}

bool Reader::Next(std::vector<std::string>& fields, std::size_t& line, std::string& error) {
    error.clear();
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
    std::size_t count = 0;
    auto nextField = [&]() -> std::string& {
        if (count == fields.size()) fields.emplace_back();
        std::string& f = fields[count++];
        f.clear();
        return f;
    };
    // A malformed record ends at the end of the physical line `resumeFrom`
    // stands on; the next record starts on the line after it.
    auto fail = [&](const char* what, std::size_t resumeFrom, std::size_t resumeLine) {
        error = "line " + std::to_string(line) + ": " + what;
        fields.resize(count);
        line_ = resumeLine + 1;
        SkipToNextLine(resumeFrom);
        return true;
    };

    const char* d = data_.data();
    const std::size_t n = data_.size();
    for (;;) {
        std::string& field = nextField();
        if (pos_ < n && d[pos_] == '"') {
            ++pos_;
            for (;;) {
                const void* q = std::memchr(d + pos_, '"', n - pos_);
                // A quote that never closes would swallow the rest of the
                // study: give up on this line alone.
                if (!q) return fail("unbalanced quote", recordStart, line);
                const std::size_t at = static_cast<const char*>(q) - d;
                field.append(d + pos_, at - pos_);
                pos_ = at + 1;
                if (pos_ < n && d[pos_] == '"') {
                    field.push_back('"');
                    ++pos_;
                    continue;
                }
                break;
            }
            // Line breaks inside quotes belong to the field but still count as lines.
            for (char c : field) line_ += c == '\n';
            if (pos_ < n && d[pos_] != ',' && d[pos_] != '\n' &&
                !(d[pos_] == '\r' && (pos_ + 1 == n || d[pos_ + 1] == '\n'))) {
                return fail("unexpected text after a closing quote", pos_, line_);
            }
        } else {
            std::size_t end = pos_;
            while (end < n && d[end] != ',' && d[end] != '\n') ++end;
            std::size_t stop = end;
            if ((end == n || d[end] == '\n') && stop > pos_ && d[stop - 1] == '\r') --stop;
            field.assign(d + pos_, stop - pos_);
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
    fields.resize(count);
    return true;
}

void AppendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
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
