// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/study_file.h"

#include <limits>
#include <stdexcept>
#include <utility>

#include "io/text_codec.h"
#include "study/csv.h"
#include "study/csv_writer.h"
#include "study/errors.h"

namespace zentavo {

const std::array<StudyInputColumn, kStudyInputColumnCount>& StudyInputOrder() {
    static const auto order = [] {
        std::array<StudyInputColumn, kStudyInputColumnCount> o{};
        for (int c = 0; c < kStudyInputColumnCount; ++c)
            o[static_cast<std::size_t>(c)] = static_cast<StudyInputColumn>(c);
        // The working-distance unit column stands after the working distance.
        std::swap(o[kWorkDistanceUnitColumn], o[kWorkDistanceColumn]);
        return o;
    }();
    return order;
}

namespace {

// The fields of one stored record.
std::vector<std::string> ParseRecord(std::string_view raw) {
    csv::ReaderOptions options;
    options.startOfInput = false;
    csv::Reader reader(raw, options);
    std::vector<std::string> fields;
    if (!reader.Next(fields)) fields.clear();
    return fields;
}

// The line end that closes `bytes`: CR LF, LF, a lone CR, or "" for the
// last line of a file without one.
std::string_view TrailingLineEnd(std::string_view bytes) {
    if (bytes.ends_with("\r\n")) return bytes.substr(bytes.size() - 2);
    if (bytes.ends_with('\n') || bytes.ends_with('\r')) return bytes.substr(bytes.size() - 1);
    return {};
}

// A stored row's bytes: the blank lines before its record, the record, its
// line end, and (the last row) the blank lines after it.
struct RowParts {
    std::string_view before, record, end, after;
};

// A row's bytes again, with `record` in place of its record.
std::string WithRecord(const RowParts& p, std::string_view record) {
    std::string raw;
    raw.reserve(p.before.size() + record.size() + p.end.size() + p.after.size());
    raw += p.before;
    raw += record;
    raw += p.end;
    raw += p.after;
    return raw;
}

RowParts SplitRow(std::string_view raw) {
    RowParts p;
    // Blank lines hold line ends alone; a record never starts with one.
    p.before = raw.substr(0, std::min(raw.find_first_not_of("\r\n"), raw.size()));
    const std::string_view rest = raw.substr(p.before.size());
    csv::ReaderOptions options;
    options.startOfInput = false;
    csv::Reader reader(rest, options);
    csv::Fields fields;
    reader.Next(fields);
    // A record's own bytes end in a field or a closing quote, never in a line end.
    const std::string_view withEnd = rest.substr(0, reader.Offset());
    p.end = TrailingLineEnd(withEnd);
    p.record = withEnd.substr(0, withEnd.size() - p.end.size());
    p.after = rest.substr(withEnd.size());
    return p;
}

bool EndsLine(std::string_view raw) {
    return !TrailingLineEnd(raw).empty();
}

constexpr std::string_view kUtf16Le = "\xFF\xFE", kUtf16Be = "\xFE\xFF";

}  // namespace

StudyFile::StudyFile() {
    header_.emplace_back(kPointColumnName);
    // The DC columns join a study with its first DC row (as any column a
    // row is given does): a study without one writes the results of any
    // other study, without the DC arc's columns.
    for (StudyInputColumn c : StudyInputOrder()) {
        if (c != kDcSourceRColumn && c != kDcBoxColumn) header_.emplace_back(kStudyInputNames[c]);
    }
    head_ = Record(header_, lineEnd_);
    MapColumns();
}

StudyFile StudyFile::Parse(std::string_view bytes, const StudyOptions& options) {
    StudyFile f;
    f.options_ = options;
    f.rows_.clear();
    // A study in UTF-16 is held as UTF-8 and saved in UTF-16 again.
    std::string decoded;
    if (bytes.starts_with(kUtf16Le) || bytes.starts_with(kUtf16Be)) {
        f.utf16_ = bytes.starts_with(kUtf16Le) ? Utf16::Little : Utf16::Big;
        if (!DecodeUtf16(bytes.substr(2), f.utf16_ == Utf16::Little, decoded)) {
            throw StudyReadError(
                "not valid UTF-16 (a surrogate without its pair, or a byte left over): "
                "save the study as UTF-8");
        }
        bytes = decoded;
    }
    csv::Reader reader(bytes);
    std::vector<std::string> fields;
    const csv::Record first = reader.Next(fields);
    if (!first) throw StudyReadError("The study has no header row.");
    if (first.problem) throw StudyReadError(*first.problem);
    if (std::string fault = StudyHeaderFault(fields); !fault.empty()) throw StudyReadError(fault);
    f.header_ = fields;
    std::size_t begin = reader.Offset();
    f.head_.assign(bytes.substr(0, begin));
    const std::string_view headEnd = TrailingLineEnd(f.head_);
    if (!headEnd.empty()) f.lineEnd_.assign(headEnd);
    f.MapColumns();
    while (const csv::Record record = reader.Next(fields)) {
        if (record.problem) throw StudyReadError(*record.problem);
        // From where the previous record ended: blank lines the reader passed
        // over stay in the bytes of the record after them.
        const std::size_t end = reader.Offset();
        Row row;
        row.raw.assign(bytes.substr(begin, end - begin));
        f.rows_.push_back(std::move(row));
        begin = end;
    }
    // Whatever follows the last record (blank lines) stays with it.
    if (begin < bytes.size()) {
        if (f.rows_.empty()) {
            f.head_.append(bytes.substr(begin));
        } else {
            f.rows_.back().raw.append(bytes.substr(begin));
        }
    }
    f.ComputeAll();
    return f;
}

std::string StudyFile::Bytes() const {
    std::size_t size = head_.size() + 2;
    for (const Row& row : rows_) size += row.raw.size() + 2;
    std::string out;
    out.reserve(size);
    out += head_;
    for (const Row& row : rows_) {
        if (!EndsLine(out)) out += lineEnd_;
        out += row.raw;
    }
    if (utf16_ == Utf16::None) return out;
    const bool little = utf16_ == Utf16::Little;
    std::string encoded(little ? kUtf16Le : kUtf16Be);
    encoded.reserve(2 * out.size() + 2);
    AppendUtf16(encoded, out, little);
    return encoded;
}

int StudyFile::ColumnOf(std::string_view name) const {
    for (std::size_t i = 0; i < header_.size(); ++i) {
        if (IsColumnName(header_[i], name)) return static_cast<int>(i);
    }
    return -1;
}

int StudyFile::AddColumn(std::string_view name) {
    // The header is written anew; a byte-order mark it opened with stays.
    const bool bom = head_.rfind("\xEF\xBB\xBF", 0) == 0;
    header_.emplace_back(name);
    head_ = (bom ? std::string("\xEF\xBB\xBF") : std::string()) + Record(header_, lineEnd_);
    // Every record gets the column's empty field, so that each stays as wide
    // as the header; its bytes are otherwise kept as they were.
    for (Row& row : rows_) {
        const RowParts parts = SplitRow(row.raw);
        row.raw = WithRecord(parts, std::string(parts.record) + ',');
    }
    MapColumns();
    Changed();
    if (HasNetworkColumns(map_) || network_) ComputeAll();
    return static_cast<int>(header_.size()) - 1;
}

bool StudyFile::DropLastColumn(std::string head, std::size_t width) {
    if (header_.empty() || header_.size() != width) return false;
    header_.pop_back();
    head_ = std::move(head);
    for (Row& row : rows_) {
        const RowParts parts = SplitRow(row.raw);
        // The field AddColumn put at the end, empty: the comma before it.
        if (parts.record.empty() || parts.record.back() != ',') continue;
        row.raw = WithRecord(parts, parts.record.substr(0, parts.record.size() - 1));
    }
    MapColumns();
    Changed();
    if (HasNetworkColumns(map_) || network_) ComputeAll();
    return true;
}

void StudyFile::MapColumns() {
    map_ = MapStudyColumns(header_);
    pointColumn_ = ColumnOf(kPointColumnName);
}

std::string StudyFile::Field(std::size_t row, int column) const {
    if (column < 0) return {};
    std::vector<std::string> fields = ParseRecord(rows_[row].raw);
    if (static_cast<std::size_t>(column) >= fields.size()) return {};
    return std::move(fields[static_cast<std::size_t>(column)]);
}

std::vector<std::string> StudyFile::Fields(std::size_t row) const {
    return ParseRecord(rows_[row].raw);
}

std::string StudyFile::Input(std::size_t row, StudyInputColumn column) const {
    return Field(row, map_[column]);
}

std::string StudyFile::Point(std::size_t row) const {
    return Field(row, pointColumn_);
}

std::string StudyFile::Record(const std::vector<std::string>& fields,
                              std::string_view lineEnd) const {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        csv::AppendField(out, fields[i]);
    }
    // A record of one empty field would read as a blank line and vanish.
    if (fields.size() == 1 && fields[0].empty()) out = "\"\"";
    out += lineEnd;
    return out;
}

void StudyFile::SetField(std::size_t row, int column, std::string_view text) {
    std::vector<std::string> fields = Fields(row);
    if (fields.size() <= static_cast<std::size_t>(column))
        fields.resize(static_cast<std::size_t>(column) + 1);
    fields[static_cast<std::size_t>(column)] = text;
    SetFields(row, fields);
}

void StudyFile::SetFields(std::size_t row, const std::vector<std::string>& fields) {
    Row& r = rows_[row];
    // The record is written anew with its own line end (the last line of a
    // file may have none, and keeps having none), as wide as the header at
    // least; the blank lines around it stay.
    const RowParts parts = SplitRow(r.raw);
    std::vector<std::string> padded = fields;
    if (padded.size() < header_.size()) padded.resize(header_.size());
    const bool ownRow = OnlyItsOwnPoint(ParseRecord(r.raw), padded);
    std::string raw(parts.before);
    raw += Record(padded, parts.end);
    raw += parts.after;
    r.raw = std::move(raw);
    Changed();
    Recompute(row, ownRow);
}

// The columns that only their own row's point reads: its electrodes and
// enclosure, its working distance, its typed arc durations. The network, the
// devices and every other row's arc leave them aside, so an edit of them
// changes that row's results alone.
static bool PointOnly(int column) {
    switch (column) {
        case kGapColumn:
        case kGapUnitColumn:
        case kWorkDistanceColumn:
        case kWorkDistanceUnitColumn:
        case kEquipmentClassColumn:
        case kElectrodeConfigurationColumn:
        case kEnclosureHeightColumn:
        case kEnclosureWidthColumn:
        case kEnclosureDepthColumn:
        case kEnclosureUnitColumn:
        case kGroundingColumn:
        case kArcTimeColumn:
        case kArcTimeReducedColumn:
            return true;
        default:
            return false;
    }
}

bool StudyFile::OnlyItsOwnPoint(const std::vector<std::string>& before,
                                const std::vector<std::string>& after) const {
    if (before.size() != header_.size() || after.size() != header_.size()) return false;
    for (std::size_t c = 0; c < after.size(); ++c) {
        if (before[c] == after[c]) continue;
        if (static_cast<int>(c) == pointColumn_) return false;  // other rows' messages name it
        for (int k = 0; k < kStudyInputColumnCount; ++k)
            if (map_[static_cast<std::size_t>(k)] == static_cast<int>(c) && !PointOnly(k))
                return false;
    }
    return true;
}

void StudyFile::SetRaw(std::size_t row, std::string raw) {
    const bool ownRow = OnlyItsOwnPoint(ParseRecord(rows_[row].raw), ParseRecord(raw));
    rows_[row].raw = std::move(raw);
    Changed();
    Recompute(row, ownRow);
}

void StudyFile::InsertRaw(std::size_t at, std::string raw) {
    Row row;
    row.raw = std::move(raw);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    Changed();
    Recompute(at, false);
}

std::string StudyFile::NewRecord(const std::vector<std::string>& fields) const {
    std::vector<std::string> padded = fields;
    if (padded.size() < header_.size()) padded.resize(header_.size());
    return Record(padded, lineEnd_);
}

void StudyFile::InsertRow(std::size_t at, const std::vector<std::string>& fields) {
    InsertRaw(at, NewRecord(fields));
}

void StudyFile::RemoveRow(std::size_t at) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    Changed();
    if (HasNetworkColumns(map_)) ComputeAll();
}

void StudyFile::SetOptions(const StudyOptions& options) {
    options_ = options;
    Changed();
    ComputeAll();
}

StudyRowInputs StudyFile::Inputs(const std::vector<std::string>& fields) const {
    StudyRowInputs in{};
    // A record of another width than the header's is an error row: none of
    // its fields is read (see Compute), as the batch calculator reads it.
    if (fields.size() != header_.size()) return in;
    for (int c = 0; c < kStudyInputColumnCount; ++c) {
        const int at = map_[static_cast<std::size_t>(c)];
        if (at >= 0) in[static_cast<std::size_t>(c)] = fields[static_cast<std::size_t>(at)];
    }
    if (pointColumn_ >= 0) in.point = fields[static_cast<std::size_t>(pointColumn_)];
    return in;
}

namespace {

// The lines `bytes` ends: CR LF, LF and a lone CR each end one.
std::size_t LineEnds(std::string_view bytes) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++n;
    }
    return n;
}

}  // namespace

std::size_t StudyFile::LineOf(std::size_t row) const {
    std::size_t line = 1 + LineEnds(head_);
    for (std::size_t i = 0; i < row; ++i) line += RowLines(rows_[i].raw);
    return line;
}

std::size_t StudyFile::RowLines(std::string_view raw) {
    // A row without its line end (the file's last) gets one when a row follows it.
    return LineEnds(raw) + (EndsLine(raw) ? 0 : 1);
}

std::string StudyFile::WidthFault(std::size_t fields, std::size_t rowLine,
                                  std::string_view raw) const {
    // The batch calculator's words for the same record, on the line it starts on.
    return "line " + std::to_string(rowLine + LineEnds(SplitRow(raw).before)) + ": " +
           std::to_string(fields) + " fields where the header has " +
           std::to_string(header_.size());
}

void StudyFile::Compute(std::size_t index) {
    Row& row = rows_[index];
    const std::vector<std::string> fields = ParseRecord(row.raw);
    if (fields.size() != header_.size()) {
        row.result = PointResult{};
        row.result.message = WidthFault(fields.size(), LineOf(index), row.raw);
    } else if (network_ && HasNetworkColumns(map_)) {
        row.result = ComputeScenarioStudyRow(Inputs(fields), index, *network_, options_, &devices_);
    } else {
        row.result = ComputeStudyRow(Inputs(fields), options_, &devices_);
    }
}

void StudyFile::Recompute(std::size_t row, bool ownRow) {
    if (!HasNetworkColumns(map_)) return Compute(row);
    // An edit of its own point alone: the row over the network as it stands,
    // unless every row is to be computed anyway (held, or under way).
    if (ownRow && network_ && !pending_ && !computing_ && row < network_->Network(0).RowCount())
        return Compute(row);
    ComputeAll();
}

bool StudyFile::Release() {
    if (held_ > 0) --held_;
    if (held_ > 0 || !pending_) return false;
    ComputeAll();
    return true;
}

bool StudyFile::ComputeAgain() {
    return ComputeAll();
}

bool StudyFile::Going(std::size_t done) {
    if (!progress_ || progress_(done, rows_.size())) return true;
    for (std::size_t i = done; i < rows_.size(); ++i) {
        rows_[i].result = PointResult{};
        rows_[i].result.message = kComputationStopped;
    }
    // A later progress is told that nothing remains.
    progress_(rows_.size(), rows_.size());
    return false;
}

bool StudyFile::ComputeAll() {
    if (held_ > 0) {
        pending_ = true;
        return true;
    }
    // Asked again while the progress lets events in: the computation under
    // way starts over with what changed.
    if (computing_) {
        restart_ = true;
        return true;
    }
    pending_ = false;
    computing_ = true;
    bool whole = true;
    try {
        do {
            restart_ = false;
            whole = ComputeOnce();
        } while (whole && restart_);
    } catch (...) {
        // The progress ends with the computation, whatever stopped it.
        computing_ = false;
        if (progress_) progress_(rows_.size(), rows_.size());
        throw;
    }
    computing_ = false;
    return whole;
}

bool StudyFile::ComputeOnce() {
    if (!HasNetworkColumns(map_)) {
        network_.reset();
        sections_.clear();
        std::size_t line = LineOf(0);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (!Going(i)) return false;
            if (restart_) return true;
            Row& row = rows_[i];
            const std::vector<std::string> fields = ParseRecord(row.raw);
            if (fields.size() != header_.size()) {
                row.result = PointResult{};
                row.result.message = WidthFault(fields.size(), line, row.raw);
            } else {
                row.result = ComputeStudyRow(Inputs(fields), options_, &devices_);
            }
            line += RowLines(row.raw);
        }
        return Going(rows_.size());
    }
    std::vector<std::vector<std::string>> fields(rows_.size());
    std::vector<StudyRowInputs> inputs(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        fields[i] = ParseRecord(rows_[i].raw);
        inputs[i] = Inputs(fields[i]);
    }
    // The network first: what the study shows of it belongs to the rows'
    // inputs even when the rows' computation is stopped.
    auto network = std::make_shared<const StudyScenarios>(inputs, options_);
    sections_ = StudySections(network->Network(0), inputs);
    network_ = std::move(network);
    std::size_t line = LineOf(0);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!Going(i)) return false;
        if (restart_) return true;
        if (fields[i].size() != header_.size()) {
            rows_[i].result = PointResult{};
            rows_[i].result.message = WidthFault(fields[i].size(), line, rows_[i].raw);
        } else {
            rows_[i].result = ComputeScenarioStudyRow(inputs[i], i, *network_, options_, &devices_);
        }
        line += RowLines(rows_[i].raw);
    }
    return Going(rows_.size());
}

StudyRowResults StudyFile::Cells(std::size_t row) const {
    StudyRowResults out;
    WriteResultCells(rows_[row].result, options_.units, options_.sep, out);
    return out;
}

}  // namespace zentavo
