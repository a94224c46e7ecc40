// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/study_input.h"

#include <memory>
#include <vector>

#include "engine/number.h"
#include "io/text_codec.h"
#include "study/columns.h"
#include "study/csv.h"

namespace zentavo {

namespace {

// Valid UTF-8, but for a sequence cut by the end of a look that is not the
// whole study.
bool Utf8Head(std::string_view head, bool whole) {
    if (IsValidUtf8(head)) return true;
    for (std::size_t cut = 1; !whole && cut <= 3 && cut < head.size(); ++cut) {
        if (IsValidUtf8(head.substr(0, head.size() - cut))) return true;
    }
    return false;
}

bool IsNumber(std::string_view cell, char sep) { return ReadNumber(cell, sep).has_value(); }

}  // namespace

StudyLook LookAtStudy(StudyBytesSource source, bool detect) {
    StudyLook look;
    std::string raw(kStudyLookBytes, '\0');
    std::size_t got = 0;
    while (got < raw.size()) {
        const std::size_t n = source(raw.data() + got, raw.size() - got);
        if (n == 0) break;
        got += n;
    }
    raw.resize(got);
    look.whole = got < kStudyLookBytes;
    look.cp1252 = detect && !Utf8Head(raw, look.whole);
    // A UTF-8 byte-order mark before Windows-1252 text (a spreadsheet that
    // marks every export so) is dropped, never decoded as "ï»¿" into the
    // header's first name.
    if (look.cp1252 && raw.starts_with("\xEF\xBB\xBF")) raw.erase(0, 3);
    look.head = look.cp1252 ? Cp1252ToUtf8(raw) : std::move(raw);
    struct State {
        std::string held;  // the head, then each decoded piece of the rest
        std::size_t given = 0;
        bool cp1252 = false;
        StudyBytesSource rest;
        std::string raw;
    };
    auto s = std::make_shared<State>();
    s->held = look.head;
    s->cp1252 = look.cp1252;
    s->rest = std::move(source);
    look.source = [s](char* buffer, std::size_t size) -> std::size_t {
        if (s->given == s->held.size()) {
            if (!s->cp1252) return s->rest(buffer, size);
            // Windows-1252 is a byte a character: each piece decodes alone.
            constexpr std::size_t kPieceBytes = std::size_t{1} << 16;
            s->raw.resize(kPieceBytes);
            const std::size_t n = s->rest(s->raw.data(), kPieceBytes);
            s->held = Cp1252ToUtf8(std::string_view(s->raw).substr(0, n));
            s->given = 0;
            if (n == 0) return 0;
        }
        const std::size_t n = std::min(size, s->held.size() - s->given);
        s->held.copy(buffer, n, s->given);
        s->given += n;
        return n;
    };
    return look;
}

std::optional<char> GuessDecimalSeparator(std::string_view head, char delimiter, bool whole, bool* decimals) {
    csv::ReaderOptions o;
    o.delimiter = delimiter;
    o.moreFollows = !whole;
    csv::Reader reader(head, o);
    std::vector<std::string> header;
    if (decimals) *decimals = false;
    if (const csv::Record first = reader.Next(header); !first || first.problem) return std::nullopt;
    const StudyColumnMap at = MapStudyColumns(header);
    std::vector<std::size_t> numbers;
    for (int c = 0; c < kStudyInputColumnCount; ++c) {
        const StudyCellKind kind = StudyColumnKind(static_cast<StudyInputColumn>(c));
        if (at[c] >= 0 && (kind == StudyCellKind::Number || kind == StudyCellKind::NumberOrNone))
            numbers.push_back(static_cast<std::size_t>(at[c]));
    }
    bool comma = false, point = false;
    csv::Fields fields;
    while (const csv::Record record = reader.Next(fields)) {
        if (record.problem) continue;
        for (const std::size_t column : numbers) {
            if (column >= fields.size()) continue;
            const std::string_view cell = fields[column];
            const bool hasComma = cell.find(',') != std::string_view::npos;
            const bool hasPoint = cell.find('.') != std::string_view::npos;
            if (hasComma != hasPoint) {
                const char sep = hasComma ? ',' : '.';
                if (IsNumber(cell, sep)) (hasComma ? comma : point) = true;
            }
        }
    }
    if (decimals) *decimals = comma || point;
    if (comma == point) return std::nullopt;
    return comma ? ',' : '.';
}

}  // namespace zentavo
