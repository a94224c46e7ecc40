// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/study_commands.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "ui/study_model.h"

namespace zentavo::ui {

SetCellCommand::SetCellCommand(StudyModel& model, int row, int column, std::string before, std::string after,
                               QUndoCommand* parent)
    : QUndoCommand(parent), model_(model), row_(row), column_(column), before_(std::move(before)),
      after_(std::move(after)) {
    setText(StudyModel::tr("Edit %1").arg(model.ColumnName(column)));
}

void SetCellCommand::redo() {
    added_ = model_.SetCell(row_, column_, after_);
}

void SetCellCommand::undo() {
    model_.SetCell(row_, column_, before_);
    // A column the edit added goes again: the file is as it was.
    if (added_) model_.DropColumn(*std::exchange(added_, std::nullopt));
}

CellsCommand::CellsCommand(StudyModel& model, const QString& text) : model_(model) { setText(text); }

void CellsCommand::redo() {
    model_.Held([this] { QUndoCommand::redo(); });
}

void CellsCommand::undo() {
    model_.Held([this] { QUndoCommand::undo(); });
}

RowsCellsCommand::RowsCellsCommand(StudyModel& model, std::vector<Cell> cells, std::string text,
                                   const QString& what)
    : model_(model), cells_(std::move(cells)), text_(std::move(text)) {
    setText(what);
    for (const Cell& c : cells_) {
        if (raws_.empty() || raws_.back().first != c.row)
            raws_.emplace_back(c.row, model.file().Raw(static_cast<std::size_t>(c.row)));
    }
}

void RowsCellsCommand::redo() {
    model_.Held([this] {
        for (const Cell& c : cells_) model_.SetCell(c.row, c.column, text_);
    });
}

void RowsCellsCommand::undo() {
    model_.Held([this] {
        for (const auto& [row, raw] : raws_) model_.PutRaw(row, raw);
    });
}

InsertCommand::InsertCommand(StudyModel& model, int at, std::vector<std::string> raws, const QString& text)
    : model_(model), at_(at), raws_(std::move(raws)) {
    setText(text);
}

void InsertCommand::redo() { model_.InsertRaws(at_, raws_); }

void InsertCommand::undo() { model_.RemoveRange(at_, static_cast<int>(raws_.size())); }

RemoveCommand::RemoveCommand(StudyModel& model, std::vector<int> rows) : model_(model), rows_(std::move(rows)) {
    std::sort(rows_.begin(), rows_.end());
    rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
    raws_.reserve(rows_.size());
    for (int r : rows_) raws_.push_back(model.file().Raw(static_cast<std::size_t>(r)));
    setText(StudyModel::tr("Delete rows"));
}

void RemoveCommand::redo() {
    model_.Held([this] { Remove(); });
}

void RemoveCommand::undo() {
    model_.Held([this] { PutBack(); });
}

void RemoveCommand::Remove() {
    // From the last range back, so the earlier rows keep their places.
    std::size_t end = rows_.size();
    while (end > 0) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows_[begin - 1] + 1 == rows_[begin]) --begin;
        model_.RemoveRange(rows_[begin], static_cast<int>(end - begin));
        end = begin;
    }
}

void RemoveCommand::PutBack() {
    std::size_t begin = 0;
    while (begin < rows_.size()) {
        std::size_t end = begin + 1;
        while (end < rows_.size() && rows_[end - 1] + 1 == rows_[end]) ++end;
        model_.InsertRaws(rows_[begin], {raws_.begin() + static_cast<std::ptrdiff_t>(begin),
                                         raws_.begin() + static_cast<std::ptrdiff_t>(end)});
        begin = end;
    }
}

}  // namespace zentavo::ui
