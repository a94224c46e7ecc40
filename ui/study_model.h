// SPDX-License-Identifier: GPL-3.0-or-later
// The table of a study window: one row per point of work, the name and input
// columns editable, the result columns computed by the study file as soon as
// an input changes. Every change goes through the undo stack.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "study/new_row.h"
#include "study/study_file.h"
#include "ui/study_sort.h"

namespace zentavo::ui {

// The background of a refused row, and of the status of a row computed with
// a caution about its device's settings (its results keep their level's tint).
inline constexpr QRgb kRefusedTint = 0xE4E4E4;
inline constexpr QRgb kCautionTint = 0xF5B041;

class StudyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What a column of the table shows.
    struct Column {
        enum Kind { Point, Input, Other, Result } kind;
        int index;  // StudyInputColumn, file column (Other) or StudyResultColumn
    };
    // The key rows are sorted by: the number a cell holds, else its text.
    static constexpr int SortRole = Qt::UserRole + 1;
    // What the row gives, in the columns beside its name.
    static constexpr StudyResultColumn kGoverningResults[] = {
        kIncidentEnergyGoverningColumn, kFlashBoundaryGoverningColumn, kPpeLevelGoverningColumn};
    // The table's groups of columns, in their order: the name with what the
    // row gives, the inputs by what they describe, the user's own columns,
    // the other results.
    enum class Group { Point, Method, Distances, Duration, Network, Other, Results };
    Group GroupOfColumn(int column) const;

    // `sep`: the user's decimal separator, for the numbers shown and typed.
    StudyModel(StudyFile file, char sep, QObject* parent = nullptr);

    const StudyFile& file() const { return file_; }
    QUndoStack& undoStack() { return undo_; }
    const std::vector<Column>& columns() const { return columns_; }
    // The name a new row is given.
    static constexpr std::string_view kNewPointName = zentavo::kNewPointName;
    // The plain name of a column, as in the study file.
    QString ColumnName(int column) const;
    // The column of that plain name, or -1.
    int ColumnNamed(const QString& name) const;
    // A column's heading: its words ("Flash boundary, reduced"), then the
    // unit of its numbers in brackets, the output units for the results.
    // A column of the user's own is headed by its name.
    QString Heading(int column) const;
    // The column a heading names: its plain name, or its words with or
    // without a unit (any unit: rows copied under other output units); -1
    // when none.
    int ColumnHeaded(const QString& heading) const;
    // The input column a table column shows, if it shows one.
    std::optional<StudyInputColumn> InputOf(int column) const;
    // Why `typed` (with the user's separator) cannot be kept in `column`;
    // empty when it can (see TypedCellFault).
    QString CellFault(int column, const QString& typed) const;
    // The words of a word column (its drop-down list), empty for others.
    QStringList Words(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit of a name or input cell, as one undoable step. A number is typed
    // with the user's separator and kept in the file with a point.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Undoable row operations; `rows` in the model's order.
    // A row made like the row `like` (or the study's most common values):
    // a point, a point on its bus or a feeder from its bus (MakeNewRow).
    void AddRow(int at, NewRowKind kind = NewRowKind::Point, std::optional<int> like = std::nullopt);
    // Each copy is named by the next number free ("MCC-1 (2)"). The copies of rows that define a
    // branch, source or motor of the network (DefinesNetworkElement) either copy it too (a parallel
    // feeder, a second source or motor) or are points alone on the same bus, their branch and motor
    // columns left empty.
    void DuplicateRows(const std::vector<int>& rows, bool copyNetworkElements = true);
    // Whether a row defines a branch, source or motor of the study's network.
    bool DefinesNetworkElement(int row) const;
    void DeleteRows(const std::vector<int>& rows);
    // One text in every cell of `cells` (model indexes) that takes it, as one
    // undoable step: empty clears them (Delete), a value fills them
    // (Ctrl+Enter). Result cells are passed by. Refuses the whole (nothing
    // changes) with the first cell's reason when one of them cannot take it.
    void SetCells(const QModelIndexList& cells, const QString& typed, const QString& what);
    // Cells of one row, as the study's file keeps them (a point for the
    // decimal), as one undoable step named `what`; a cell that already
    // holds its text is passed by.
    void EditRow(int row, const std::vector<std::pair<StudyInputColumn, std::string>>& cells,
                 const QString& what);
    // Every cell naming the bus `bus` (CellsNamingBus, study/bus_rename.h)
    // given `name`, as one undoable step named `what`, whose undo puts the
    // rows' records back byte for byte. The caller has checked the name
    // (CheckBusRename).
    void RenameBus(const std::string& bus, const std::string& name, const QString& what);
    // Rows as a spreadsheet takes them: a heading line as the table shows it
    // (words with units), then one tab-separated line per row.
    QString CopyRows(const std::vector<int>& rows) const;
    // Rows from a spreadsheet, inserted at `at` as one undoable step. The
    // columns are matched by a heading line (headings or column names) when
    // there is one, else taken in the order of a new study's file (the name,
    // the inputs, the user's own columns);
    // result columns are not read.
    // Returns the number of rows inserted.
    int PasteRows(const QString& text, int at);

    // New output units: every row computed again.
    void SetUnits(const UnitSettings& units);
    // The named fuse curves the rows' fuse_curve cells may name: every row
    // is computed again.
    void SetCurves(std::shared_ptr<const CurveSet> curves);
    // Another convention of a network's fault currents, or another of its
    // choices (low-voltage tolerance, conductors' end temperature): every
    // row computed again.
    void SetShortCircuit(const network::SolveOptions& shortCircuit);
    // Arcs in steps or in one step, and the motors' decay (cycles; none: to the last source).
    void SetArcSteps(bool steps, std::optional<double> motorDecay);
    // Each point's worst over the range of its arcing currents, or the cases alone.
    void SetArcCurrentRange(bool on);
    // Every row computed again (Edit, Compute again), told to the progress
    // SetProgress gave; false: stopped, the rows not reached left uncomputed.
    bool ComputeAgain();
    void SetProgress(StudyComputeProgress progress) { file_.SetProgress(std::move(progress)); }
    // How many rows are computed (HasStudyResults: also those with a
    // caution); the rest are refused.
    int ComputedRows() const { return computed_; }

    // The key a cell sorts by (ui/study_sort.h), kept for the whole of a sort.
    using SortKey = StudySortKey;
    const SortKey& KeyOf(int row, int column) const;

    // `change` with the study's computation held (StudyFile::Hold): what
    // computes every row does so once, after it, and every row is shown anew.
    template <class Change>
    void Held(Change&& change) {
        file_.Hold();
        try {
            change();
        } catch (...) {
            Release();
            throw;
        }
        Release();
    }

    // The steps the undo commands take. SetCell tells, when the cell's
    // column had to be added to the file, the header as it was and its
    // width with the column, for DropColumn to take that column back (while
    // it is still the last one).
    struct AddedColumn {
        std::string head;
        std::size_t width;
    };
    std::optional<AddedColumn> SetCell(int row, int column, const std::string& text);
    void DropColumn(AddedColumn added);
    // A row's record put back as the file kept it (StudyFile::Raw).
    void PutRaw(int row, const std::string& raw);
    void InsertRaws(int at, const std::vector<std::string>& raws);
    std::vector<std::string> RemoveRange(int at, int count);

private:
    // The words of a column's heading, without its unit.
    QString Title(int column) const;
    std::string Cell(int row, int column) const;
    QString Shown(const std::string& text, int column) const;
    std::string Stored(const QString& typed, int column) const;
    const std::vector<std::string>& RowFields(int row) const;
    void Forget() const {
        cachedRow_ = -1;
        cachedCellsRow_ = -1;
        keyColumn_ = -1;
        keys_.clear();
    }
    bool Computed(int row) const { return file_.Result(static_cast<std::size_t>(row)).Computed(); }
    // A row's result texts, written once for the row last asked for.
    const StudyRowResults& ResultCells(int row) const;
    void Recount();
    // After a change of a network study: every row counted and shown anew.
    void NetworkChanged();
    // The end of a hold: when it computed every row, every row shown anew.
    void Release();
    int PasteInto(const QString& text, int at);
    void AddRowHeld(int at, NewRowKind kind, std::optional<int> like);
    // The options' change, computed once the table holds them.
    void ChangeOptions(const StudyOptions& options);

    StudyFile file_;
    char sep_;
    std::vector<Column> columns_;
    QUndoStack undo_;
    int computed_ = 0;  // kept as rows change: a large study is not counted again on every edit
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedFields_;
    mutable int cachedCellsRow_ = -1;
    mutable StudyRowResults cachedCells_;
    // Sort keys of one column, made as a sort asks for them; any change forgets them.
    mutable int keyColumn_ = -1;
    mutable std::vector<std::optional<SortKey>> keys_;
    QCollator collator_;
};

}  // namespace zentavo::ui
