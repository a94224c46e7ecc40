// SPDX-License-Identifier: GPL-3.0-or-later
// A study as the program holds it: the study CSV file (the `point` name
// column, the method columns, and any column of the user's own), one result
// set per row, computed through the same rows as the batch calculator.
//
// Each row keeps the bytes it was read from. A row that is not edited is
// written back with those bytes, so an unchanged study saves to identical
// bytes and columns the program does not know travel through untouched.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "study/network_study.h"
#include "study/row.h"
#include "study/scenarios.h"

namespace zentavo {

// What a row left uncomputed by a stopped computation says instead of results.
inline constexpr std::string_view kComputationStopped =
    "Not computed: the calculation was stopped before this row. Compute again to finish it.";

// The progress of a computation of every row: the rows done and all of
// them; false stops it there.
using StudyComputeProgress = std::function<bool(std::size_t done, std::size_t all)>;

// The input columns in the order of a new study's file (the DC ones joining
// it with a DC row): each unit column after its value.
const std::array<StudyInputColumn, kStudyInputColumnCount>& StudyInputOrder();

class StudyFile {
public:
    // A new, empty study: the name column and every input column, CR LF line ends.
    StudyFile();

    // Reads a study file (UTF-8, or UTF-16 with a byte-order mark; lines
    // ending in CR LF, LF or a lone CR). A file without a header row, with a
    // column the study reads named twice (StudyHeaderFault), with a record
    // that is not well-formed CSV, or with UTF-16 that is not valid, is
    // refused (StudyReadError naming the fault): a study is opened whole
    // or not at all.
    static StudyFile Parse(std::string_view bytes, const StudyOptions& options);

    // The file's bytes: unchanged rows as read, edited rows written anew
    // (in the file's encoding).
    std::string Bytes() const;

    const std::vector<std::string>& Header() const { return header_; }
    // Where the column of that name stands (as IsColumnName takes names), or -1.
    int ColumnOf(std::string_view name) const;
    // Adds a column at the end of the header (empty in every row) and
    // returns where it stands.
    int AddColumn(std::string_view name);
    // The byte-order mark and header record as they stand, and the last
    // AddColumn taken back: the column, and its field in every record (empty
    // again), with the header as `head` was. An undo returns the bytes
    // the file had before the column came. Only while the header is `width`
    // columns wide, the added one last; false (nothing done) otherwise.
    const std::string& Head() const { return head_; }
    bool DropLastColumn(std::string head, std::size_t width);
    // The file column of each input column (-1 when the file lacks it), and of the name.
    const StudyColumnMap& Columns() const { return map_; }
    int PointColumn() const { return pointColumn_; }

    std::size_t RowCount() const { return rows_.size(); }
    // A field of a row; empty past the row's last field.
    std::string Field(std::size_t row, int column) const;
    std::vector<std::string> Fields(std::size_t row) const;
    // The text of an input column, empty when the file lacks the column.
    std::string Input(std::size_t row, StudyInputColumn column) const;
    std::string Point(std::size_t row) const;

    // Edits: the row is written anew and computed again; in a study with
    // network columns every row is computed again over the network built anew.
    void SetField(std::size_t row, int column, std::string_view text);
    void SetFields(std::size_t row, const std::vector<std::string>& fields);
    // A row as stored, to be put back by InsertRaw (undo, move, duplicate).
    const std::string& Raw(std::size_t row) const { return rows_[row].raw; }
    void InsertRaw(std::size_t at, std::string raw);
    // A row's bytes put back as Raw gave them (an undo returns the record
    // byte for byte, its quoting as it was); computed again as an edit is.
    void SetRaw(std::size_t row, std::string raw);
    void InsertRow(std::size_t at, const std::vector<std::string>& fields);
    // The bytes of a new row of these fields (as many as the header has, at
    // least), with the file's line end: what InsertRaw takes.
    std::string NewRecord(const std::vector<std::string>& fields) const;
    void RemoveRow(std::size_t at);

    // The result of a row, as numbers: what its table cells, labels and
    // report are written from.
    const PointResult& Result(std::size_t row) const { return rows_[row].result; }
    // Its result texts in the options' units and separator (WriteResultCells).
    StudyRowResults Cells(std::size_t row) const;
    const StudyOptions& Options() const { return options_; }
    // New output units, separator or convention: every row is computed again.
    void SetOptions(const StudyOptions& options);

    // Every row computed again, told to `progress` (SetProgress) as it goes.
    // Stopped there, the rows not reached hold no result but
    // kComputationStopped: nothing shown belongs to other inputs. Returns
    // whether every row was reached.
    bool ComputeAgain();
    void SetProgress(StudyComputeProgress progress) { progress_ = std::move(progress); }
    // Between Hold and its Release, the edits that compute every row (those
    // of a network study, new options, a new column) leave that to the
    // last Release, which computes every row once; edits of a row of its
    // own (in a network study: of what only its point reads) are computed
    // at once. Release returns whether it computed.
    void Hold() { ++held_; }
    bool Release();
    bool Held() const { return held_ > 0; }

    // The study's network as last computed (in its first scenario); null
    // for a study without network columns.
    const StudyNetwork* Network() const { return network_ ? &network_->Network(0) : nullptr; }
    // The same in a scenario (an entry of ScenarioNames); null past the last.
    const StudyNetwork* Network(std::size_t scenario) const {
        return network_ && scenario < network_->size() ? &network_->Network(scenario) : nullptr;
    }
    // Its scenarios' names; empty without scenarios.
    std::vector<std::string> ScenarioNames() const {
        return network_ ? network_->Names() : std::vector<std::string>{};
    }
    // The other row of a row's main section (StudySections); none for a row
    // in no section.
    std::optional<std::size_t> SectionOf(std::size_t row) const {
        return row < sections_.size() ? sections_[row] : std::nullopt;
    }

private:
    struct Row {
        // The record's bytes with the blank lines before it and its line end
        // (the last row: and the blank lines after it).
        std::string raw;
        PointResult result;
    };
    void Compute(std::size_t row);
    // Every row, over the network built anew when the study has network
    // columns; held (Hold), left to the Release. Returns false when stopped.
    bool ComputeAll();
    bool ComputeOnce();
    // A change while every row is being computed: that computation starts over.
    void Changed() {
        if (computing_) restart_ = true;
    }
    // Whether to go on to row `done` (the progress asked), else the rows
    // from there on marked as not computed.
    bool Going(std::size_t done);
    // After an edit of `row`: that row, or every row of a network study
    // unless the edit changed only what its own point reads (`ownRow`).
    void Recompute(std::size_t row, bool ownRow);
    // Whether a record's change from `before` to `after` (both as wide as
    // the header) is in columns only its own point reads.
    bool OnlyItsOwnPoint(const std::vector<std::string>& before,
                         const std::vector<std::string>& after) const;
    // The row's input texts by column, as `fields` (its record) hold them;
    // all empty for a record of another width than the header's.
    StudyRowInputs Inputs(const std::vector<std::string>& fields) const;
    // A record of another width than the header's is an error row, as the
    // batch calculator reads it: its message, naming the line it starts on
    // (`rowLine`: where the row's bytes start, blank lines before it included).
    std::string WidthFault(std::size_t fields, std::size_t rowLine, std::string_view raw) const;
    // The line a row's bytes start on in the file, and the lines they take.
    std::size_t LineOf(std::size_t row) const;
    static std::size_t RowLines(std::string_view raw);
    void MapColumns();
    std::string Record(const std::vector<std::string>& fields, std::string_view lineEnd) const;

    // The file's encoding: UTF-8 (or any bytes) held as read, or UTF-16 held
    // decoded to UTF-8 (without its byte-order mark) and encoded again by Bytes().
    enum class Utf16 { None, Little, Big };
    Utf16 utf16_ = Utf16::None;
    std::string head_;  // byte-order mark and header record, as read
    std::vector<std::string> header_;
    std::string lineEnd_ = "\r\n";
    StudyColumnMap map_{};
    int pointColumn_ = -1;
    std::vector<Row> rows_;
    StudyOptions options_;
    StudyDevices devices_;  // the devices of its rows, built once per distinct settings
    std::shared_ptr<const StudyScenarios> network_;
    std::vector<std::optional<std::size_t>> sections_;
    StudyComputeProgress progress_;
    int held_ = 0;
    bool pending_ = false;  // every row to compute at the last Release
    bool computing_ = false, restart_ = false;
};

}  // namespace zentavo
