// The table of a study window: one row per point of work, the name and input
// columns editable, the result columns computed by the study file as soon as
// an input changes. Every change goes through the undo stack.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QUndoStack>
#include <optional>
#include <string>
#include <vector>

#include "batch/study_file.h"

namespace zentavo::ui {

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

    // `sep`: the user's decimal separator, for the numbers shown and typed.
    StudyModel(StudyFile file, char sep, QObject* parent = nullptr);

    const StudyFile& file() const { return file_; }
    QUndoStack& undoStack() { return undo_; }
    const std::vector<Column>& columns() const { return columns_; }
    // The plain name of a column, as in the study file.
    QString ColumnName(int column) const;
    // The column of that plain name, or -1.
    int ColumnNamed(const QString& name) const;
    bool IsNumberColumn(int column) const;
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
    void AddRow(int at);
    void DuplicateRows(const std::vector<int>& rows);
    void DeleteRows(const std::vector<int>& rows);
    // Rows as a spreadsheet takes them: a heading line of column names, then
    // one tab-separated line per row.
    QString CopyRows(const std::vector<int>& rows) const;
    // Rows from a spreadsheet, inserted at `at` as one undoable step. The
    // columns are matched by a heading line of column names when there is
    // one, else taken as the table's name and input columns in its order;
    // result columns are not read.
    // Returns the number of rows inserted.
    int PasteRows(const QString& text, int at);

    // New output units: every row computed again.
    void SetUnits(const UnitSettings& units);
    // How many rows are computed (status "ok"); the rest are refused.
    int ComputedRows() const { return computed_; }

    // The key a cell sorts by, kept for the whole of a sort.
    struct SortKey {
        bool number = false;
        double value = 0;
        QString text;
    };
    const SortKey& KeyOf(int row, int column) const;

    // The steps the undo commands take.
    void SetCell(int row, int column, const std::string& text);
    void InsertRaws(int at, const std::vector<std::string>& raws);
    std::vector<std::string> RemoveRange(int at, int count);

private:
    std::string Cell(int row, int column) const;
    QString Shown(const std::string& text, bool number) const;
    std::string Stored(const QString& typed, int column) const;
    const std::vector<std::string>& RowFields(int row) const;
    void Forget() const {
        cachedRow_ = -1;
        keyColumn_ = -1;
        keys_.clear();
    }
    bool Computed(int row) const { return file_.Results(static_cast<std::size_t>(row))[kStatusColumn] == "ok"; }
    void Recount();

    StudyFile file_;
    char sep_;
    std::vector<Column> columns_;
    QUndoStack undo_;
    int computed_ = 0;  // kept as rows change: a large study is not counted again on every edit
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedFields_;
    // Sort keys of one column, made as a sort asks for them; any change forgets them.
    mutable int keyColumn_ = -1;
    mutable std::vector<std::optional<SortKey>> keys_;
};

// Sorting with numbers by value, before the texts in either order; filtering by a text
// in one column or any.
class StudySortFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace zentavo::ui
