// SPDX-License-Identifier: GPL-3.0-or-later
// The study's rows copied for a spreadsheet and pasted from one: the
// tab-separated text (study/tsv.h) matched to the table's columns, each
// cell checked by its column before anything changes.
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "study/tsv.h"
#include "ui/study_commands.h"
#include "ui/study_model.h"
#include "ui/widgets.h"

namespace zentavo::ui {

QString StudyModel::CopyRows(const std::vector<int>& rows) const {
    std::string out;
    for (int c = 0; c < columnCount(); ++c) {
        if (c) out += '\t';
        AppendTsvField(out, Utf8(Heading(c)));
    }
    out += '\n';
    for (int r : rows) {
        for (int c = 0; c < columnCount(); ++c) {
            if (c) out += '\t';
            AppendTsvField(out, Utf8(data(index(r, c), Qt::DisplayRole).toString()));
        }
        out += '\n';
    }
    return FromUtf8(out);
}

int StudyModel::PasteRows(const QString& text, int at) {
    // The columns it adds and its rows computed once.
    int n = 0;
    Held([&] { n = PasteInto(text, at); });
    return n;
}

int StudyModel::PasteInto(const QString& text, int at) {
    std::vector<QStringList> lines;
    for (const std::vector<std::string>& record : ParseTsv(Utf8(text))) {
        QStringList& cells = lines.emplace_back();
        for (const std::string& field : record) cells << FromUtf8(field);
    }
    if (lines.empty()) return 0;
    // Which table column each pasted column fills: by a heading line that
    // names the point or the method (by heading or column name), else in the
    // order of a new study's file (the name, the inputs, the user's columns),
    // as a spreadsheet made from a study holds them.
    std::vector<int> target;
    const QStringList& first = lines.front();
    for (const QString& heading : first) target.push_back(ColumnHeaded(heading));
    const bool headed = std::any_of(target.begin(), target.end(), [this](int c) {
        if (c < 0) return false;
        const Column& col = columns_[static_cast<std::size_t>(c)];
        return col.kind == Column::Point || (col.kind == Column::Input && col.index == kMethodColumn);
    });
    if (headed) {
        lines.erase(lines.begin());
    } else {
        target.clear();
        auto tableColumn = [this](Column::Kind kind, int index) {
            for (int c = 0; c < columnCount(); ++c) {
                const Column& col = columns_[static_cast<std::size_t>(c)];
                if (col.kind == kind && col.index == index) return c;
            }
            return -1;
        };
        target.push_back(0);
        for (StudyInputColumn c : StudyInputOrder()) target.push_back(tableColumn(Column::Input, c));
        for (int c = 0; c < columnCount(); ++c) {
            if (columns_[static_cast<std::size_t>(c)].kind == Column::Other) target.push_back(c);
        }
    }
    // The cells of each line by table column, checked before anything changes.
    std::vector<std::vector<std::pair<int, QString>>> rows;
    int line = 0;
    for (const QStringList& cells : lines) {
        ++line;
        std::vector<std::pair<int, QString>>& row = rows.emplace_back();
        for (qsizetype i = 0; i < cells.size() && i < static_cast<qsizetype>(target.size()); ++i) {
            const int c = target[static_cast<std::size_t>(i)];
            if (c < 0 || columns_[static_cast<std::size_t>(c)].kind == Column::Result) continue;
            const QString cell = cells[i].trimmed();
            if (const std::optional<StudyInputColumn> input = InputOf(c); input && !CellFault(c, cell).isEmpty()) {
                const char* message = StudyColumnKind(*input) == StudyCellKind::NumberOrNone
                                       ? QT_TR_NOOP("Pasted row %1: '%2' in column %3 is not a number or \"none\".")
                                       : QT_TR_NOOP("Pasted row %1: '%2' in column %3 is not a number.");
                throw std::runtime_error(Utf8(tr(message).arg(line).arg(cell, ColumnName(c))));
            }
            // An empty cell fills nothing: a column the file lacks stays out of it.
            if (!cell.isEmpty()) row.emplace_back(c, cell);
        }
    }
    // A column the file lacks joins its header (every record of the file
    // gets its empty field), then the records are made, all as wide as the header.
    auto fileColumnOf = [this](int c) {
        const Column& col = columns_[static_cast<std::size_t>(c)];
        return col.kind == Column::Point   ? file_.PointColumn()
               : col.kind == Column::Input ? file_.Columns()[static_cast<std::size_t>(col.index)]
                                           : col.index;
    };
    for (const auto& row : rows) {
        for (const auto& [c, cell] : row) {
            if (fileColumnOf(c) < 0) {
                file_.AddColumn(Utf8(ColumnName(c)));
                Forget();
            }
        }
    }
    std::vector<std::string> raws;
    for (const auto& row : rows) {
        std::vector<std::string> fields(file_.Header().size());
        for (const auto& [c, cell] : row) fields[static_cast<std::size_t>(fileColumnOf(c))] = Stored(cell, c);
        raws.push_back(file_.NewRecord(fields));
    }
    if (raws.empty()) return 0;
    const int n = static_cast<int>(raws.size());
    undo_.push(new InsertCommand(*this, at, std::move(raws), tr("Paste rows")));
    return n;
}

}  // namespace zentavo::ui
