// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of a study's undo stack: a cell edited, several cells edited as
// one step, rows put in at one place, rows taken out wherever they stand.
// Each goes through the steps StudyModel gives them (SetCell, InsertRaws,
// RemoveRange), so that an edit and its undo change the study alike.
#pragma once

#include <QString>
#include <QUndoCommand>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/study_model.h"

namespace zentavo::ui {

class StudyModel;

// One cell of a row: its text before and after, as the study's file keeps it.
class SetCellCommand : public QUndoCommand {
public:
    SetCellCommand(StudyModel& model, int row, int column, std::string before, std::string after,
                   QUndoCommand* parent = nullptr);
    void redo() override;
    void undo() override;

private:
    StudyModel& model_;
    int row_, column_;
    std::string before_, after_;
    std::optional<StudyModel::AddedColumn> added_;  // the cell's column, when the edit added it
};

// Several cells edited as one step (Clear cells, a fill), each a
// SetCellCommand made its child: a network study is computed once for all
// of them, each way.
class CellsCommand : public QUndoCommand {
public:
    CellsCommand(StudyModel& model, const QString& text);
    void redo() override;
    void undo() override;

private:
    StudyModel& model_;
};

// Cells given one text as one step (a bus renamed in every cell naming
// it), their rows' records put back whole by undo: the file's bytes as
// they were, its quoting too. A network study is computed once each way.
class RowsCellsCommand : public QUndoCommand {
public:
    struct Cell {
        int row, column;  // the model's
    };
    RowsCellsCommand(StudyModel& model, std::vector<Cell> cells, std::string text,
                     const QString& what);
    void redo() override;
    void undo() override;

private:
    StudyModel& model_;
    std::vector<Cell> cells_;
    std::string text_;
    std::vector<std::pair<int, std::string>> raws_;  // each row's record before, once
};

// Rows put in at one place (add, duplicate, paste).
class InsertCommand : public QUndoCommand {
public:
    InsertCommand(StudyModel& model, int at, std::vector<std::string> raws, const QString& text);
    void redo() override;
    void undo() override;

private:
    StudyModel& model_;
    int at_;
    std::vector<std::string> raws_;
};

// Rows taken out wherever they stand, and put back in their places by undo.
class RemoveCommand : public QUndoCommand {
public:
    RemoveCommand(StudyModel& model, std::vector<int> rows);
    void redo() override;
    void undo() override;

private:
    void Remove();
    void PutBack();

    StudyModel& model_;
    std::vector<int> rows_;
    std::vector<std::string> raws_;
};

}  // namespace zentavo::ui
